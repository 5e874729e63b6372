#include "report/line_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report_text.h"
#include "support/recording_print_device.h"
#include "text/codec.h"

namespace yobina {
namespace {

using test::DeviceCall;
using test::RecordedCall;
using test::RecordingPrintDevice;

TEST(LineWriterTest, TextOutputStartsWithTheFirstHeader) {
  std::vector<std::string> lines = {"stale"};
  LineWriter writer;
  writer.StartText(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"*", "* Page = 1", std::string(LineWriter::kRuler), "*"}));
  EXPECT_EQ(LineWriter::kRuler.size(), 84U);
  EXPECT_EQ(writer.LineY(), 12);
  EXPECT_FALSE(writer.IsPrinter());
  EXPECT_EQ(writer.Context().CharHeight, 3.6);

  writer.ReportLine(2, "ab", 7);
  EXPECT_EQ(lines.back(), "  ab");
  EXPECT_DOUBLE_EQ(writer.LineY(), 16.669);
}

TEST(LineWriterTest, LineYNeverStandsAboveTheTopLine) {
  RecordingPrintDevice device;
  LineWriter writer;
  writer.StartPrinter(device);
  EXPECT_EQ(writer.LineY(), 0);
  writer.ReportLine(0, "a", 7);  // first line of page 1 stands at 12 mm
  EXPECT_EQ(writer.LineY(), 12);
  writer.ReportLine(0, "a", 9);
  EXPECT_DOUBLE_EQ(writer.LineY(), 12 + 0.667 * 9);
}

TEST(LineWriterTest, EnsureRoomBreaksOnlyWhenTheNeedExceedsTheRoom) {
  std::vector<std::string> lines;
  LineWriter writer;
  writer.StartText(lines);
  writer.ReportLine(0, "x", 7);
  const double room = 275 - writer.LineY();

  writer.EnsureRoom(room);
  EXPECT_EQ(writer.PageNumber(), 1);
  writer.EnsureRoom(room + 1e-9);
  EXPECT_EQ(writer.PageNumber(), 2);
  EXPECT_EQ(lines[lines.size() - 3], "* Page = 2");
  EXPECT_EQ(writer.LineY(), 12);
  writer.ReportLine(0, "y", 7);
  EXPECT_DOUBLE_EQ(writer.LineY(), 16.669);
}

TEST(LineWriterTest, FinishAddsTheHeaderOfOneMorePage) {
  std::vector<std::string> lines;
  LineWriter writer;
  writer.StartText(lines);
  writer.ReportLine(0, "end", 6);
  writer.Finish();
  ASSERT_EQ(lines.size(), 9U);
  EXPECT_EQ(lines[4], "end");
  EXPECT_EQ(lines[6], "* Page = 2");
}

TEST(LineWriterTest, PrinterStartSetsUpTheDocument) {
  RecordingPrintDevice device(600);
  LineWriter writer;
  writer.StartPrinter(device);
  const auto& calls = device.Calls();
  ASSERT_GE(calls.size(), 3U);
  EXPECT_EQ(calls[0].Kind, DeviceCall::SetDocumentTitle);
  EXPECT_EQ(calls[0].Text, Cp932("ヨビナ"));
  EXPECT_EQ(calls[1].Kind, DeviceCall::ApplyPaperSetup);
  EXPECT_EQ(calls[1].Paper.PaperSize, 9);
  EXPECT_EQ(calls[1].Paper.Orientation, 1);
  EXPECT_EQ(calls[2].Kind, DeviceCall::BeginDocument);
  EXPECT_EQ(calls.back().Kind, DeviceCall::SelectFont);
  EXPECT_EQ(std::string(calls.back().Font.FaceName), Cp932("ＭＳ 明朝"));
  EXPECT_TRUE(writer.IsPrinter());
}

// "│素材長│" on paper: the bars twice, 0.9 mm above and below the line, the
// kanji once; after the 3-blank margin at x = 6.45, 10.75, ..., 23.65 mm.
TEST(LineWriterTest, PrintedStockRowDrawsVerticalStrokesTwice) {
  RecordingPrintDevice device(600);
  LineWriter writer;
  writer.StartPrinter(device);
  writer.ReportLine(0, "", 7);
  device.Clear();
  writer.ReportLine(0, Cp932("│素材長│"), 5);
  const double lineY = writer.LineY();
  const TGraphContext& gc = writer.Context();

  const auto draws = device.Draws();
  ASSERT_EQ(draws.size(), 3U + 7U);  // three margin blanks, then 2 + 1 + 1 + 1 + 2
  const auto at = [&](double xMm, double yMm) {
    return std::pair{static_cast<int32_t>(gc.OffsetX + xMm * gc.DotsPerMm),
                     static_cast<int32_t>(gc.OffsetY + yMm * gc.DotsPerMm - 3.6 * gc.DotsPerMm)};
  };
  const std::string bar = Cp932("│");
  struct Expected {
    std::string text;
    double xMm;
    double yMm;
  };
  const Expected expected[] = {
      {" ", 0, lineY},
      {" ", 2.15, lineY},
      {" ", 4.3, lineY},
      {bar, 6.45, lineY - 0.9},
      {bar, 6.45, lineY + 0.9},
      {Cp932("素"), 10.75, lineY},
      {Cp932("材"), 15.05, lineY},
      {Cp932("長"), 19.35, lineY},
      {bar, 23.65, lineY - 0.9},
      {bar, 23.65, lineY + 0.9},
  };
  for (size_t i = 0; i < std::size(expected); ++i) {
    const auto [x, y] = at(expected[i].xMm, expected[i].yMm);
    EXPECT_EQ(draws[i].Text, expected[i].text) << i;
    EXPECT_NEAR(draws[i].X, x, 1) << i;
    EXPECT_NEAR(draws[i].Y, y, 1) << i;
    EXPECT_EQ(draws[i].Font.Height, 94);
  }
}

TEST(LineWriterTest, PrintedHorizontalStrokesAreDrawnLeftAndRight) {
  RecordingPrintDevice device(600);
  LineWriter writer;
  writer.StartPrinter(device);
  device.Clear();
  writer.ReportLine(0, Cp932("─┼━"), 5);
  const auto draws = device.Draws();
  ASSERT_EQ(draws.size(), 3U + 5U);
  const double p = 4.3 * 600 / 25.4;
  const double first = 236 + 3 * p / 2;
  EXPECT_EQ(draws[3].X, static_cast<int32_t>(first - p / 3));
  EXPECT_EQ(draws[4].X, static_cast<int32_t>(first + p / 3));
  EXPECT_EQ(draws[3].Y, draws[4].Y);
  EXPECT_EQ(draws[5].Text, Cp932("┼"));
  EXPECT_EQ(draws[5].X, static_cast<int32_t>(first + p));
  EXPECT_EQ(draws[6].Text, Cp932("━"));
  EXPECT_EQ(draws[7].Text, Cp932("━"));
}

// A member name cut after its 40th byte can end a line with half a character.
TEST(LineWriterTest, PrintedLineEndingInALeadByteDrawsNoHalfCharacter) {
  RecordingPrintDevice device(600);
  LineWriter writer;
  writer.StartPrinter(device);
  device.Clear();
  writer.ReportLine(0, "ab\x8D", 7);
  const auto draws = device.Draws();
  ASSERT_EQ(draws.size(), 3U + 2U);
  EXPECT_EQ(draws.back().Text, "b");
}

TEST(LineWriterTest, PagesAreNumberedAtTheTopRightAndEndWithAnEmptyPage) {
  RecordingPrintDevice device(600);
  LineWriter writer;
  writer.StartPrinter(device);
  writer.ReportLine(0, "a", 7);
  writer.ClosePage();
  writer.ReportLine(0, "b", 7);
  writer.Finish();

  std::vector<RecordedCall> numbers;
  for (const RecordedCall& call : device.Draws()) {
    if (call.Text == "-") numbers.push_back(call);
  }
  // "   - 1 -": three blanks, then the dash at 165 mm + 3 half-width pitches.
  ASSERT_EQ(numbers.size(), 4U);
  EXPECT_EQ(numbers[0].Page, 1);
  EXPECT_EQ(numbers[2].Page, 2);
  const double dotsPerMm = 600 / 25.4;
  // 4286 dots in exact arithmetic; the carried sum may land a hair below.
  EXPECT_NEAR(numbers[0].X, 236 + 165 * dotsPerMm + 3 * 2.15 * dotsPerMm, 1);
  EXPECT_EQ(numbers[0].Y, static_cast<int32_t>(23 + 5 * dotsPerMm - 3.6 * dotsPerMm));

  const auto& calls = device.Calls();
  ASSERT_GE(calls.size(), 2U);
  EXPECT_EQ(calls[calls.size() - 2].Kind, DeviceCall::NewPage);
  EXPECT_EQ(calls.back().Kind, DeviceCall::EndDocument);
  EXPECT_EQ(device.PageCount(), 3);  // the last page stays empty
  EXPECT_EQ(writer.PageNumber(), 2);
}

TEST(LineWriterTest, PageNumberTextIsRightAlignedInEightColumns) {
  RecordingPrintDevice device(600);
  LineWriter writer;
  writer.StartPrinter(device);
  for (int i = 0; i < 9; ++i) writer.ClosePage();
  device.Clear();
  writer.ClosePage();  // page 10
  std::string drawn;
  for (const RecordedCall& call : device.Draws()) drawn += call.Text;
  EXPECT_EQ(drawn, "  - 10 -");
}

TEST(LineWriterTest, TextOutputNeverTouchesThePrinterState) {
  std::vector<std::string> lines;
  LineWriter writer;
  writer.StartText(lines);
  writer.EnsureRoom(1000);
  EXPECT_EQ(writer.Context().Target, nullptr);
  EXPECT_EQ(writer.Context().WindowRight, 0);
  EXPECT_EQ(writer.PageNumber(), 2);
}

}  // namespace
}  // namespace yobina
