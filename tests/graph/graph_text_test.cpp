#include "graph/graph_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "support/recording_print_device.h"
#include "text/codec.h"

namespace yobina {
namespace {

using test::DeviceCall;
using test::RecordedCall;
using test::RecordingPrintDevice;

// A started print job at the report's character size, with G_Begin's calls cleared.
struct ReportSizedJob {
  explicit ReportSizedJob(int32_t dpi) : device(dpi) {
    G_Begin(gc, device);
    G_SetTextSize(gc, 3.6, 3.6, 0.7);
    device.Clear();
  }
  RecordingPrintDevice device;
  TGraphContext gc;
};

struct PitchCase {
  int32_t dpi;
  int32_t firstX;
  int32_t firstY;
  int32_t secondX;
  int32_t fontHeight;
  int32_t fontWidth;
};

class GraphTextPitchTest : public testing::TestWithParam<PitchCase> {};

TEST_P(GraphTextPitchTest, PlacesHalfWidthCharactersAtTheFixedPitch) {
  const PitchCase& c = GetParam();
  ReportSizedJob job(c.dpi);
  G_Text(job.gc, "AB", 0, 10);

  const auto draws = job.device.Draws();
  ASSERT_EQ(draws.size(), 2U);
  EXPECT_EQ(draws[0].Text, "A");
  EXPECT_EQ(draws[0].X, c.firstX);
  EXPECT_EQ(draws[0].Y, c.firstY);
  EXPECT_EQ(draws[1].Text, "B");
  EXPECT_EQ(draws[1].X, c.secondX);
  EXPECT_EQ(draws[1].Y, c.firstY);
  for (const RecordedCall& draw : draws) {
    EXPECT_EQ(draw.Font.Height, c.fontHeight);
    EXPECT_EQ(draw.Font.Width, c.fontWidth);
    EXPECT_EQ(draw.Font.Escapement, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Resolutions, GraphTextPitchTest,
                         testing::Values(PitchCase{600, 236, 174, 286, 94, 47},
                                         PitchCase{300, 118, 86, 143, 47, 23}));

TEST(GraphTextTest, MixedWidthsAdvanceByFullAndHalfPitch) {
  ReportSizedJob job(600);
  const double full = (3.6 + 0.7) * job.gc.ScaleX;
  const std::string kanji = Cp932("鋼");
  G_Text(job.gc, kanji + "ab" + kanji, 0, 10);

  const auto draws = job.device.Draws();
  ASSERT_EQ(draws.size(), 4U);
  EXPECT_EQ(draws[0].Text, kanji);
  EXPECT_EQ(draws[1].Text, "a");
  EXPECT_EQ(draws[3].Text, kanji);
  EXPECT_EQ(draws[1].X, static_cast<int32_t>(236 + full));
  EXPECT_EQ(draws[2].X, static_cast<int32_t>(236 + full + full / 2));
  // After two half-width characters the point stands where a second full-width one would.
  EXPECT_EQ(draws[3].X, static_cast<int32_t>(236 + 2 * full));
}

TEST(GraphTextTest, ByteClasses) {
  struct Case {
    std::string text;
    std::vector<std::string> drawn;
  };
  const std::vector<Case> cases = {
      {std::string("A\0B", 3), {"A", "B"}},        // zero byte skipped
      {"\x80\x41Z", {"\x80\x41", "Z"}},            // 0x80 leads two bytes
      {"\xA0\xB1\xDF", {"\xA0", "\xB1", "\xDF"}},  // half-width katakana are one byte
      {"\xE0\x40\xFC\xFC", {"\xE0\x40", "\xFC\xFC"}},
      {"a\x81", {"a"}},  // a lead byte at the end has no trail byte: not drawn
  };
  for (const Case& c : cases) {
    ReportSizedJob job(600);
    G_Text(job.gc, c.text, 0, 10);
    const auto draws = job.device.Draws();
    ASSERT_EQ(draws.size(), c.drawn.size()) << c.text;
    for (size_t i = 0; i < draws.size(); ++i) EXPECT_EQ(draws[i].Text, c.drawn[i]) << c.text << " #" << i;
  }
}

TEST(GraphTextTest, ZeroByteDoesNotMoveThePoint) {
  ReportSizedJob job(600);
  G_Text(job.gc, std::string("A\0B", 3), 0, 10);
  const auto draws = job.device.Draws();
  ASSERT_EQ(draws.size(), 2U);
  EXPECT_EQ(draws[1].X, 286);
}

TEST(GraphTextTest, EmptyTextRecreatesTheFont) {
  ReportSizedJob job(600);
  G_SetTextSize(job.gc, 10, 10, 0);
  G_Text(job.gc, "", 0, 10);
  const auto& calls = job.device.Calls();
  ASSERT_EQ(calls.size(), 1U);
  EXPECT_EQ(calls[0].Kind, DeviceCall::SelectFont);
  EXPECT_EQ(calls[0].Font.Height, 260);  // 1.1 x 10 mm at 600 dpi = 259.8
}

TEST(GraphTextTest, FarPointsAreDroppedWithoutTouchingTheFont) {
  ReportSizedJob job(600);
  const TLogFont before = job.gc.LogFont;
  G_SetTextSize(job.gc, 10, 10, 0);
  G_Text(job.gc, "A", 50000, 10);   // about 1.18 million dots to the right
  G_Text(job.gc, "A", 10, -50000);  // and above
  EXPECT_TRUE(job.device.Calls().empty());
  EXPECT_EQ(job.gc.LogFont.Height, before.Height);

  G_Text(job.gc, "A", 42000, 10);  // 992,362 dots: still drawn
  EXPECT_EQ(job.device.Draws().size(), 1U);
}

TEST(GraphTextTest, ZeroSizesGiveAOneDotFont) {
  ReportSizedJob job(600);
  G_SetTextSize(job.gc, 0, 0, 0);
  G_Text(job.gc, "AB", 0, 10);
  const auto draws = job.device.Draws();
  ASSERT_EQ(draws.size(), 2U);
  EXPECT_EQ(draws[0].Font.Height, 1);
  EXPECT_EQ(draws[0].Font.Width, 1);
  EXPECT_EQ(draws[1].X, draws[0].X);  // no pitch at all
}

TEST(GraphTextTest, FontSizesRoundHalfToEvenAndClamp) {
  struct Case {
    double height;
    double width;
    int32_t expectHeight;
    int32_t expectWidth;
  };
  const Case cases[] = {
      {2.5, 5, 2, 2},      // 2.5 -> 2
      {3.5, 7, 4, 4},      // 3.5 -> 4
      {4.49, 9.02, 4, 5},  //
      {0.4, -3, 1, 1},     // below 1
      {6000, 20000, 5120, 5120},
      {std::numeric_limits<double>::quiet_NaN(), 0, 1, 1},
  };
  for (const Case& c : cases) {
    TGraphContext gc;
    gc.FontScale = 1;
    G_ApplyFont(gc, c.height, c.width, 0);
    EXPECT_EQ(gc.LogFont.Height, c.expectHeight) << c.height;
    EXPECT_EQ(gc.LogFont.Width, c.expectWidth) << c.width;
  }
}

TEST(GraphTextTest, AngleSetsEscapementAndTurnsTheBaseline) {
  ReportSizedJob job(600);
  G_SetTextAngle(job.gc, std::numbers::pi / 2);
  G_Text(job.gc, "AB", 0, 10);
  const auto draws = job.device.Draws();
  ASSERT_EQ(draws.size(), 2U);
  EXPECT_EQ(draws[0].Font.Escapement, 900);
  // Upright text runs up the page; the cell's top-left lies h to the left.
  EXPECT_EQ(draws[0].X, static_cast<int32_t>(236 - 3.6 * job.gc.ScaleX));
  EXPECT_LT(draws[1].Y, draws[0].Y);
}

TEST(GraphTextTest, FontNameIsSelectedAtOnceAtTheCurrentSize) {
  RecordingPrintDevice device(600);
  TGraphContext gc;
  G_Begin(gc, device);
  device.Clear();
  G_SetFontName(gc, Cp932("ＭＳ 明朝"));
  const auto& calls = device.Calls();
  ASSERT_EQ(calls.size(), 1U);
  EXPECT_EQ(std::string(calls[0].Font.FaceName), Cp932("ＭＳ 明朝"));
  EXPECT_EQ(calls[0].Font.Height, 117);  // G_Begin's blank: 4.5 mm
  EXPECT_EQ(calls[0].Font.Width, 58);
}

TEST(GraphTextTest, FaceNameKeepsAtMost31Bytes) {
  TGraphContext gc;
  G_SetFontName(gc, std::string(40, 'x'));
  EXPECT_EQ(std::string(gc.LogFont.FaceName), std::string(31, 'x'));
  G_SetFontName(gc, "Short");
  EXPECT_EQ(std::string(gc.LogFont.FaceName), "Short");
}

TEST(GraphTextTest, TextColorMakesTheBackgroundTransparent) {
  ReportSizedJob job(600);
  G_SetTextColor(job.gc, 0x0000FF);
  const auto& calls = job.device.Calls();
  ASSERT_EQ(calls.size(), 2U);
  EXPECT_EQ(calls[0].Kind, DeviceCall::SetTransparentBackground);
  EXPECT_EQ(calls[1].Kind, DeviceCall::SetTextColor);
  EXPECT_EQ(calls[1].Color, 0x0000FFU);
}

}  // namespace
}  // namespace yobina
