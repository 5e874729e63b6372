#include "graph/graph_shapes.h"

#include <gtest/gtest.h>

#include <array>

#include "support/recording_print_device.h"

namespace yobina {
namespace {

using test::DeviceCall;
using test::RecordingPrintDevice;

TEST(GraphShapes, MillimetresMapLikeTextAndFarOrUnprintedShapesAreDropped) {
  RecordingPrintDevice device(600);  // offsets 236 and 23 dots
  TGraphContext gc;
  G_Begin(gc, device);
  device.Clear();

  // Corners in either order; (165, 5) mm is (4133.6, 141.1) dots, truncated.
  G_FillRect(gc, 165, 5, 0, 0, 0x123456);
  G_Line(gc, 0, 0, 165, 5, 0.01, 0xFF);  // thinner than a dot: one dot
  G_Line(gc, 0, 0, 1, 0, 1, 0);
  G_FillRect(gc, 0, 0, 1e9, 1, 0);  // beyond 1,000,000 dots
  G_Line(gc, 0, 0, 0, -1e9, 1, 0);
  const auto& calls = device.Calls();
  ASSERT_EQ(calls.size(), 3U);
  EXPECT_EQ(calls[0].Kind, DeviceCall::FillRect);
  EXPECT_EQ((std::array{calls[0].X, calls[0].Y, calls[0].X2, calls[0].Y2}), (std::array{236, 23, 4133, 141}));
  EXPECT_EQ(calls[0].Color, 0x123456U);
  EXPECT_EQ(calls[1].Kind, DeviceCall::DrawLine);
  EXPECT_EQ((std::array{calls[1].X, calls[1].Y, calls[1].X2, calls[1].Y2}), (std::array{236, 23, 4133, 141}));
  EXPECT_EQ(calls[1].LineWidth, 1);
  EXPECT_EQ(calls[2].LineWidth, 24);  // 23.6 dots rounded

  TGraphContext text;  // the results text: no printer
  G_FillRect(text, 0, 0, 1, 1, 0);
  G_Line(text, 0, 0, 1, 1, 1, 0);
  EXPECT_EQ(device.Calls().size(), 3U);
}

}  // namespace
}  // namespace yobina
