#include "graph/graph_context.h"

#include <gtest/gtest.h>

#include "graph/graph_text.h"
#include "support/recording_print_device.h"
#include "text/codec.h"

namespace yobina {
namespace {

using test::DeviceCall;
using test::RecordingPrintDevice;

struct BeginCase {
  int32_t dpi;
  int32_t offsetX;
  int32_t offsetY;
  int32_t defaultFontHeight;  // 0.18 inch
  int32_t blankX;             // G_Begin's blank at (10, 10) mm, 4.5 mm high
  int32_t blankY;
  int32_t blankFontHeight;
  int32_t blankFontWidth;
};

class GraphBeginTest : public testing::TestWithParam<BeginCase> {};

TEST_P(GraphBeginTest, SetsOffsetsWindowAndDrawsTheBlank) {
  const BeginCase& c = GetParam();
  RecordingPrintDevice device(c.dpi);
  TGraphContext gc;
  G_Begin(gc, device);

  EXPECT_TRUE(gc.IsPrinter);
  EXPECT_EQ(gc.Target, &device);
  EXPECT_DOUBLE_EQ(gc.Dpi, c.dpi);
  EXPECT_DOUBLE_EQ(gc.DotsPerMm, c.dpi / 25.4);
  EXPECT_DOUBLE_EQ(gc.FontScale, 1.1);
  EXPECT_EQ(gc.OffsetX, c.offsetX);
  EXPECT_EQ(gc.OffsetY, c.offsetY);
  EXPECT_EQ(gc.ScaleX, gc.DotsPerMm);
  EXPECT_EQ(gc.ScaleY, gc.DotsPerMm);
  EXPECT_EQ(gc.DeviceRight, device.PageWidthDots() - c.offsetX);
  EXPECT_EQ(gc.DeviceBottom, device.PageHeightDots() - c.offsetY);
  EXPECT_DOUBLE_EQ(gc.WindowRight, (device.PageWidthDots() - c.offsetX) / gc.DotsPerMm);
  EXPECT_DOUBLE_EQ(gc.WindowBottom, (device.PageHeightDots() - c.offsetY) / gc.DotsPerMm);
  EXPECT_EQ(gc.CharHeight, 4.5);
  EXPECT_EQ(gc.CharWidth, 4.5);
  EXPECT_EQ(gc.CharGap, 0);
  EXPECT_EQ(gc.TextAngle, 0);

  const auto& calls = device.Calls();
  ASSERT_GE(calls.size(), 2U);
  EXPECT_EQ(calls[0].Kind, DeviceCall::BeginDocument);
  ASSERT_EQ(calls[1].Kind, DeviceCall::SelectFont);
  const TLogFont& gothic = calls[1].Font;
  EXPECT_EQ(gothic.Height, c.defaultFontHeight);
  EXPECT_EQ(gothic.Width, 0);
  EXPECT_EQ(gothic.Escapement, 0);
  EXPECT_EQ(gothic.Weight, 400);
  EXPECT_EQ(gothic.CharSet, 128);
  EXPECT_EQ(std::string(gothic.FaceName), Cp932("ＭＳ ゴシック"));
  EXPECT_EQ(device.CallsOf(DeviceCall::SetTextColor).back().Color, 0U);
  EXPECT_FALSE(device.CallsOf(DeviceCall::SetTransparentBackground).empty());

  const auto draws = device.Draws();
  ASSERT_EQ(draws.size(), 1U);
  EXPECT_EQ(draws[0].Text, " ");
  EXPECT_EQ(draws[0].X, c.blankX);
  EXPECT_EQ(draws[0].Y, c.blankY);
  EXPECT_EQ(draws[0].Font.Height, c.blankFontHeight);
  EXPECT_EQ(draws[0].Font.Width, c.blankFontWidth);
  EXPECT_EQ(std::string(draws[0].Font.FaceName), Cp932("ＭＳ ゴシック"));
  EXPECT_EQ(draws[0].Page, 1);
}

// Blank: X = Offset + 10 mm, Y = Offset + 10 mm - 4.5 mm; font 1.1 x 4.5 mm high,
// half of that wide.
INSTANTIATE_TEST_SUITE_P(Resolutions, GraphBeginTest,
                         testing::Values(BeginCase{600, 236, 23, 108, 472, 152, 117, 58},
                                         BeginCase{300, 118, 11, 54, 236, 75, 58, 29}));

TEST(GraphContextTest, MapsPageMillimetresToDots) {
  RecordingPrintDevice device(600);
  TGraphContext gc;
  G_Begin(gc, device);
  const TDevicePoint point = G_WorldToDevice(gc, 165, 5);
  EXPECT_NEAR(point.X, 4133.6378, 1e-4);
  EXPECT_NEAR(point.Y, 141.1102, 1e-4);
  EXPECT_EQ(point.X, 236 + 165 * (600 / 25.4));
}

TEST(GraphContextTest, ResettingTheWindowKeepsTheMapping) {
  RecordingPrintDevice device(600);
  TGraphContext gc;
  G_Begin(gc, device);
  const TDevicePoint before = G_WorldToDevice(gc, 123.45, 67.8);
  G_SetWindow(gc, 10, 20, 110, 220);
  EXPECT_NE(G_WorldToDevice(gc, 123.45, 67.8).X, before.X);
  G_SetWindow(gc, 0, 0, 0, 0);
  const TDevicePoint after = G_WorldToDevice(gc, 123.45, 67.8);
  EXPECT_EQ(after.X, before.X);
  EXPECT_EQ(after.Y, before.Y);
}

TEST(GraphContextTest, CustomWindowStretchesOverTheDrawingArea) {
  RecordingPrintDevice device(300, 1118, 2011);  // drawing area 1000 x 2000 dots
  TGraphContext gc;
  G_Begin(gc, device);
  G_SetWindow(gc, 100, 50, 0, 0);
  const TDevicePoint corner = G_WorldToDevice(gc, 100, 50);
  EXPECT_DOUBLE_EQ(corner.X, 1118);
  EXPECT_DOUBLE_EQ(corner.Y, 2011);
}

TEST(GraphContextTest, ZeroPageSizeWidensToOneMillimetre) {
  RecordingPrintDevice device(600, 236, 23);
  TGraphContext gc;
  G_Begin(gc, device);
  EXPECT_EQ(gc.WindowRight, 1);
  EXPECT_EQ(gc.WindowBottom, 1);
}

TEST(GraphContextTest, WithoutPrinterWindowAndEndDoNothing) {
  TGraphContext gc;
  gc.WindowRight = 42;
  G_SetWindow(gc, 0, 0, 0, 0);
  EXPECT_EQ(gc.WindowRight, 42);
  G_End(gc);  // no device: must not crash

  RecordingPrintDevice device;
  gc.Target = &device;
  gc.IsPrinter = false;
  G_End(gc);
  G_Text(gc, "A", 0, 0);
  EXPECT_TRUE(device.Calls().empty());
}

TEST(GraphContextTest, EndClosesThePrinterDocument) {
  RecordingPrintDevice device;
  TGraphContext gc;
  G_Begin(gc, device);
  G_End(gc);
  EXPECT_EQ(device.Calls().back().Kind, DeviceCall::EndDocument);
}

}  // namespace
}  // namespace yobina
