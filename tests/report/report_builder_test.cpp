#include "report/report_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "report/line_writer.h"
#include "report/report_lines.h"
#include "report/report_text.h"
#include "report_fixtures.h"
#include "support/recording_print_device.h"
#include "text/codec.h"

namespace yobina {
namespace {

using test::Cp932Lines;
using test::ExampleJob;
using test::ExamplePage;
using test::ExamplePlan;

const std::string kRuler(LineWriter::kRuler);
const std::string kRule = "─────────────────────────────────────────";
const std::string kMemberLine = "  部材名：H-200x100" + std::string(31, ' ');

const std::vector<std::string> kExampleBlock = {
    "┌───┬───┬───┬───┬───┬───┬───┬───┬───┬───┐",
    "│素材長│ 5500 │ 6000 │      │      │      │      │      │      │      │",
    "│必要数│   1本│   2本│      │      │      │      │      │      │      │",
    "├───┼───┼───┼───┼───┼───┼───┼───┼───┼───┤",
    "│ 1800=│   3  │      │      │      │      │      │      │      │      │",
    "├───┼───┼───┼───┼───┼───┼───┼───┼───┼───┤",
    "│ 2500=│      │   2  │      │      │      │      │      │      │      │",
    "├───┼───┼───┼───┼───┼───┼───┼───┼───┼───┤",
    "│残材長│  100 │ 1000 │      │      │      │      │      │      │      │",
    "└───┴───┴───┴───┴───┴───┴───┴───┴───┴───┘",
};

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::string ListLine(int32_t length) {
  char cell[64];
  std::snprintf(cell, sizeof cell, "    %8d×%4d本", length, length / 100);
  return cell;
}

std::vector<std::string> Header(int page) {
  return {"*", "* Page = " + std::to_string(page), kRuler, "*"};
}

TEST(ReportBuilderTest, SinglePageTextReportOfTheExample) {
  ReportBuilder builder;
  const std::vector<std::string> lines =
      builder.BuildReport(test::ResultOf(ExamplePage(), ExampleJob(), ExamplePlan()));
  const std::vector<std::string> expected = Concat({
      Header(1),
      Cp932Lines({
          "  工事名：見本工事",
          kMemberLine,
          kRule,
          "《切 断 リ ス ト》",
          "        1800×   3本        2500×   4本",
          kRule,
          "《必要素材リスト》",
          "        5500×   1本        6000×   2本",
          kRule,
          " 素材の余裕 = 0(mm)   切り代 = 0(mm)",
          kRule,
          " 素材延長=  17.500(m)  部材延長=  15.400(m)  残材長=  2.100(m)  残材率=12.000(%)",
          kRule,
          kMemberLine,
      }),
      Cp932Lines(kExampleBlock),
      Cp932Lines({"－以上－"}),
      Header(2),
  });
  EXPECT_EQ(lines, expected);
  for (const std::string& line : lines) EXPECT_LE(line.size(), 84U) << Cp932ToUtf8(line);
}

TEST(ReportBuilderTest, UnitWeightAddsTheWeightLineAndLossRate) {
  ReportBuilder builder;
  TCutPlan plan = ExamplePlan();
  plan.LossRate = 3.25;
  const auto lines = builder.BuildReport(test::ResultOf(ExamplePage("", "7.85"), ExampleJob(), plan));
  const std::string memberLine =
      Cp932("  部材名：H-200x100" + std::string(31, ' ') + "単位重量 = 7.85(Kg/m)");
  const std::string weightLine =
      Cp932(" 素材重量=   0.137(t)  部材重量=   0.121(t)" + std::string(21, ' ') + "ロス率= 3.250(%)");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), memberLine), 2);  // title and block
  const auto totals = std::find(lines.begin(), lines.end(), weightLine);
  ASSERT_NE(totals, lines.end());
  // The weight line follows the length totals; the loss rate sits under the leftover rate.
  const std::string& lengthLine = *(totals - 1);
  EXPECT_EQ(lengthLine.find(Cp932("残材率")), totals->find(Cp932("ロス率")));
  EXPECT_EQ(*(totals + 1), Cp932(kRule));
}

TEST(ReportBuilderTest, TheOptimalPlannersNotesFollowTheTotalsOnScreenAndPaper) {
  ReportBuilder builder;
  const PlanResult run = test::ResultOf(ExamplePage(), ExampleJob(), ExamplePlan());
  PlanResult optimal = run;
  optimal.Method = OptimalMethod{
      false, 11.5, 0.42, {2, 1, false}, OptimalMethod::Reference{16000, 3.9, false}, std::nullopt};
  const std::vector<std::string> notes = {UnprovenLine(11.5, 0.42), SetupsLine(2, 1, false),
                                          WithoutShortFirstLine(16000, 3.9, false)};
  const auto plain = builder.BuildReport(run);
  const auto noted = builder.BuildReport(optimal);
  const auto totals = std::find_if(plain.begin(), plain.end(), [](const std::string& line) {
    return line.find(Cp932("残材率")) != std::string::npos;
  });
  ASSERT_NE(totals, plain.end());
  const auto at = totals - plain.begin() + 1;
  std::vector<std::string> expected = plain;
  expected.insert(expected.begin() + at, notes.begin(), notes.end());
  EXPECT_EQ(noted, expected);
  EXPECT_EQ(noted[static_cast<size_t>(at) + 3], Cp932(kRule));

  test::RecordingPrintDevice device(600);
  builder.BuildReport(optimal, device);
  std::string drawn;  // drawn a character at a time
  for (const auto& draw : device.Draws()) drawn += draw.Text;
  EXPECT_NE(drawn.find(Cp932("参考")), std::string::npos);
}

// Offcuts on: their lines after the optimizer's notes and the offcut list,
// within 82 columns, the offcuts and scrap adding up to the leftover total.
TEST(ReportBuilderTest, OffcutLinesAndListFollowTheNotesWhenOffcutsAreOn) {
  ReportBuilder builder;
  PlanResult result = test::ResultOf(ExamplePage(), ExampleJob(), ExamplePlan());
  result.Method = OptimalMethod{true, 12, 0, {2, 2, true}, std::nullopt, false};
  const auto off = builder.BuildReport(result);
  result.Document.OffcutMin = 1000;
  const auto on = builder.BuildReport(result);

  const auto setups = std::find(off.begin(), off.end(), SetupsLine(2, 2, true));
  ASSERT_NE(setups, off.end());
  std::vector<std::string> expected = off;
  const auto added = Cp932Lines({" 残材: 1000mm以上 2本 計   2.000(m)   端材=   0.100(m)",
                                 " 端材最少: 未証明", kRule, "《残材リスト》", "        1000×   2本"});
  expected.insert(expected.begin() + (setups - off.begin()) + 1, added.begin(), added.end());
  EXPECT_EQ(on, expected);
  EXPECT_NE(on[static_cast<size_t>(setups - off.begin()) - 2].find(Cp932("残材長=  2.100(m)")),
            std::string::npos);
  for (const std::string& line : on) EXPECT_LE(line.size(), 84u) << line;
}

TEST(ReportBuilderTest, NamesFromAFileAreCutToTheFieldsBytes) {
  // A job file holds up to 999 bytes a name; the window's fields take 32.
  JobDocument page = ExamplePage();
  page.ProjectName = RepeatText(Cp932("表"), 255) + "X";
  page.MemberName = std::string(31, 'a') + Cp932("鋼材");
  ReportBuilder builder;
  const auto lines = builder.BuildReport(test::ResultOf(page, ExampleJob(), ExamplePlan()));
  const std::string projectLine = Cp932("  工事名：") + RepeatText(Cp932("表"), 16);
  const std::string memberLine = Cp932("  部材名：") + std::string(31, 'a') + std::string(9, ' ');
  EXPECT_EQ(std::count(lines.begin(), lines.end(), projectLine), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), memberLine), 2);  // title and block
  for (const std::string& line : lines) EXPECT_LE(line.size(), 84U) << Cp932ToUtf8(line);
}

TEST(ReportBuilderTest, DateLineHeadsTheReport) {
  struct Case {
    std::string year;
    std::string expected;  // empty: no date line
  };
  const std::string indent(55, ' ');
  const Case cases[] = {
      {"12", indent + "平成 12 年  4 月  1 日 作成"},
      {"2000", indent + "   2000 年  4 月  1 日 作成"},
      {"0", ""},
  };
  for (const Case& c : cases) {
    ReportBuilder builder;
    const auto lines = builder.BuildReport(test::ResultOf(ExamplePage(c.year), ExampleJob(), ExamplePlan()));
    ASSERT_GT(lines.size(), 5U);
    if (c.expected.empty()) {
      EXPECT_EQ(lines[4], Cp932("  工事名：見本工事")) << c.year;
    } else {
      EXPECT_EQ(lines[4], Cp932(c.expected)) << c.year;
      EXPECT_EQ(lines[4].size(), 82U);
    }
  }
}

TEST(ReportBuilderTest, FourColumnListsFillDownTheColumns) {
  struct Case {
    std::vector<int32_t> lengths;  // counts are the lengths / 100
    std::vector<std::vector<int32_t>> rows;
  };
  const Case cases[] = {
      {{1000, 2000, 3000, 4000, 5000}, {{1000, 3000, 5000}, {2000, 4000}}},
      {{1000, 2000, 3000, 4000}, {{1000, 2000, 3000, 4000}}},
      {{1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000},
       {{1000, 4000, 7000}, {2000, 5000, 8000}, {3000, 6000, 9000}}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    TJob job;
    job.CutCount = static_cast<int32_t>(c.lengths.size());
    for (size_t i = 0; i < c.lengths.size(); ++i) {
      job.CutTable[i + 1] = {c.lengths[i], c.lengths[i] / 100, 0};
    }
    ReportBuilder builder;
    const auto lines = builder.BuildReport(test::ResultOf(ExamplePage(), job, TCutPlan{}));
    const auto title = std::find(lines.begin(), lines.end(), Cp932("《切 断 リ ス ト》"));
    ASSERT_NE(title, lines.end());
    for (size_t r = 0; r < c.rows.size(); ++r) {
      std::string expected;
      for (const int32_t length : c.rows[r]) expected += Cp932(ListLine(length));
      EXPECT_EQ(*(title + 1 + static_cast<long>(r)), expected) << c.lengths.size() << " row " << r;
    }
    EXPECT_EQ(*(title + 1 + static_cast<long>(c.rows.size())), Cp932(kRule));
  }
}

TEST(ReportBuilderTest, ZeroEntriesLeaveNoGap) {
  TJob job;
  job.CutCount = 5;
  job.CutTable[1] = {1000, 1, 0};
  job.CutTable[2] = {2000, 2, 0};
  job.CutTable[3] = {0, 3, 0};     // zero length
  job.CutTable[4] = {4000, 0, 0};  // zero count
  job.CutTable[5] = {5000, 5, 0};
  ReportBuilder builder;
  const auto lines = builder.BuildReport(test::ResultOf(ExamplePage(), job, TCutPlan{}));
  const auto title = std::find(lines.begin(), lines.end(), Cp932("《切 断 リ ス ト》"));
  ASSERT_NE(title, lines.end());
  EXPECT_EQ(*(title + 1), Cp932("        1000×   1本        5000×   5本"));
  EXPECT_EQ(*(title + 2), Cp932("        2000×   2本"));
}

TEST(ReportBuilderTest, RequiredStockTalliesBarsPerStockRow) {
  TJob job = ExampleJob();
  job.StockCount = 3;
  job.StockTable[3] = {7000, 9, 0};
  TCutPlan plan = ExamplePlan();
  plan.PatternCount = 4;
  plan.Patterns[3] = plan.Patterns[2];
  plan.Patterns[3].BarCount = 3;  // more 6000 mm bars
  plan.Patterns[4] = plan.Patterns[1];
  plan.Patterns[4].StockRow = 3;
  ReportBuilder builder;
  const auto lines = builder.BuildReport(test::ResultOf(ExamplePage(), job, plan));
  ASSERT_EQ(builder.RequiredStockCount(), 3);
  EXPECT_EQ(builder.RequiredStock()[2].StockRow, 2);
  EXPECT_EQ(builder.RequiredStock()[2].Bars, 5);
  const auto title = std::find(lines.begin(), lines.end(), Cp932("《必要素材リスト》"));
  ASSERT_NE(title, lines.end());
  EXPECT_EQ(*(title + 1), Cp932("        5500×   1本        6000×   5本        7000×   1本"));
}

TEST(ReportBuilderTest, PlanWithoutPatternsEndsAfterTheLastRule) {
  ReportBuilder builder;
  const auto lines = builder.BuildReport(test::ResultOf(ExamplePage(), TJob{}, TCutPlan{}));
  const std::vector<std::string> expected = Concat({
      Header(1),
      Cp932Lines({
          "  工事名：見本工事",
          kMemberLine,
          kRule,
          "《切 断 リ ス ト》",
          kRule,
          "《必要素材リスト》",
          kRule,
          " 素材の余裕 = 0(mm)   切り代 = 0(mm)",
          kRule,
          " 素材延長=   0.000(m)  部材延長=   0.000(m)  残材長=  0.000(m)  残材率= 0.000(%)",
          kRule,
          "－以上－",
      }),
      Header(2),
  });
  EXPECT_EQ(lines, expected);
}

TEST(ReportBuilderTest, TenPatternsMakeTwoBlocks) {
  TJob job = ExampleJob();
  TCutPlan plan = ExamplePlan();
  plan.PatternCount = 10;
  for (int q = 3; q <= 10; ++q) plan.Patterns[q] = plan.Patterns[1];
  ReportBuilder builder;
  const auto lines = builder.BuildReport(test::ResultOf(ExamplePage(), job, plan));
  const std::string stockRow = Cp932("│素材長");
  std::vector<std::string> stockRows;
  for (const auto& line : lines) {
    if (line.starts_with(stockRow)) stockRows.push_back(line);
  }
  ASSERT_EQ(stockRows.size(), 2U);
  EXPECT_EQ(stockRows[1], Cp932("│素材長│ 5500 │      │      │      │      │      │      │      │      │"));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), Cp932(kMemberLine)), 3);
}

// The largest cut list (35 rows) with twenty patterns: three blocks of 263.5 mm each.
struct LargestReport {
  LargestReport() {
    job.StockCount = 1;
    job.StockTable[1] = {12000, 100, 0};
    job.CutCount = 35;
    for (int k = 1; k <= 35; ++k) job.CutTable[k] = {100 * k, 1, 0};
    plan.PatternCount = 20;
    for (int q = 1; q <= 20; ++q) {
      plan.Patterns[q].StockRow = 1;
      plan.Patterns[q].BarCount = 1;
      plan.Patterns[q].PieceCount[q] = 1;
    }
  }
  TJob job;
  TCutPlan plan;
};

TEST(ReportBuilderTest, LargestCutListPutsEveryBlockOnItsOwnPage) {
  const LargestReport report;
  ReportBuilder builder;
  const auto lines = builder.BuildReport(test::ResultOf(ExamplePage(), report.job, report.plan));
  const std::string memberLine = Cp932(kMemberLine);
  std::vector<size_t> blockStarts;
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i] == memberLine) blockStarts.push_back(i);
  }
  ASSERT_EQ(blockStarts.size(), 4U);  // the title block's line and three pattern blocks
  for (size_t b = 1; b < blockStarts.size(); ++b) {
    const size_t start = blockStarts[b];
    EXPECT_EQ(lines[start - 4], "*");
    EXPECT_EQ(lines[start - 3], "* Page = " + std::to_string(b + 1)) << b;
  }
  EXPECT_EQ(lines[lines.size() - 3], "* Page = 5");
}

TEST(ReportBuilderTest, LargestBlocksEndAboveThePageLimitOnPaper) {
  const LargestReport report;
  test::RecordingPrintDevice device(600);
  ReportBuilder builder;
  builder.BuildReport(test::ResultOf(ExamplePage(), report.job, report.plan), device);
  const double dotsPerMm = 600 / 25.4;
  const double limit = 23 + (275 + 0.9 - 3.6) * dotsPerMm;  // a raised stroke's cell top at 275 mm
  // Up to the last block's bottom corner; the end mark after it gets no room check.
  const auto draws = device.Draws();
  const std::string corner = Cp932("└");
  const auto last =
      std::find_if(draws.rbegin(), draws.rend(), [&](const auto& d) { return d.Text == corner; });
  ASSERT_NE(last, draws.rend());
  for (auto it = draws.begin(); it != last.base(); ++it) ASSERT_LT(it->Y, limit) << Cp932ToUtf8(it->Text);
  EXPECT_EQ(device.PageCount(), 5);  // title page, three blocks, the empty last page
  EXPECT_EQ(device.Calls().back().Kind, test::DeviceCall::EndDocument);
}

// Positions count from the printable area's top-left, whatever its size: two
// printers with different hardware margins print the report at the same place
// on the sheet relative to their own areas.
TEST(ReportBuilderTest, PositionsAreRelativeToEachPrintersOwnArea) {
  const LargestReport report;
  test::RecordingPrintDevice wide(600, 4961, 7016);    // no margins on A4
  test::RecordingPrintDevice narrow(600, 4661, 6716);  // 1/4 inch less on each side
  ReportBuilder builder;
  builder.BuildReport(test::ResultOf(ExamplePage(), report.job, report.plan), wide);
  builder.BuildReport(test::ResultOf(ExamplePage(), report.job, report.plan), narrow);
  const auto a = wide.Draws();
  const auto b = narrow.Draws();
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    ASSERT_EQ(a[i].X, b[i].X) << i;
    ASSERT_EQ(a[i].Y, b[i].Y) << i;
    ASSERT_EQ(a[i].Page, b[i].Page) << i;
  }
}

// Without a date line and weights the title block ends at 12 + 0.667 x (88 + 9 x
// cut-list lines) mm; a block needs CutCount x 6.7 + 29 mm of the 275.
TEST(ReportBuilderTest, FirstBlockMovesToPageTwoOnlyWhenItDoesNotFit) {
  struct Case {
    int32_t cutCount;
    bool newPage;
  };
  const Case cases[] = {
      {20, false},  // room 174.289, need 163
      {21, true},   // room 168.286, need 169.7
  };
  for (const Case& c : cases) {
    TJob job = ExampleJob();
    job.CutCount = c.cutCount;
    for (int32_t k = 1; k <= c.cutCount; ++k) job.CutTable[k] = {100 * k, 1, 0};
    TCutPlan plan;
    plan.PatternCount = 1;
    plan.Patterns[1].StockRow = 1;
    plan.Patterns[1].BarCount = 1;
    plan.Patterns[1].PieceCount[1] = 1;
    ReportBuilder builder;
    const auto lines = builder.BuildReport(test::ResultOf(ExamplePage(), job, plan));
    const auto block = std::find(lines.rbegin(), lines.rend(), Cp932(kMemberLine));
    ASSERT_NE(block, lines.rend());
    EXPECT_EQ(*(block + 3) == "* Page = 2", c.newPage) << c.cutCount;
  }
}

TEST(ReportBuilderTest, PaperDoublesTheRulesUnderTheHeadingAndAboveTheLeftover) {
  test::RecordingPrintDevice device(600);
  ReportBuilder builder;
  builder.BuildReport(test::ResultOf(ExamplePage(), ExampleJob(), ExamplePlan()), device);
  const std::string junction = Cp932("┼");
  const std::string separatorStart = Cp932("├");
  std::vector<int32_t> separatorYs;
  for (const auto& draw : device.Draws()) {
    if (draw.Text == separatorStart) separatorYs.push_back(draw.Y);
  }
  // Separators: before each of the two piece rows, the copy under the heading,
  // the one above the leftover row and its copy.
  ASSERT_EQ(separatorYs.size(), 5U);
  const double unit = 0.667 * 600 / 25.4;
  EXPECT_NEAR(separatorYs[1] - separatorYs[0], unit, 1.01);
  EXPECT_NEAR(separatorYs[4] - separatorYs[3], unit, 1.01);
  EXPECT_NEAR(separatorYs[2] - separatorYs[1], 10 * unit, 1.01);
}

}  // namespace
}  // namespace yobina
