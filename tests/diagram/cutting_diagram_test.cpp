#include "diagram/cutting_diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "diagram/diagram_calls.h"
#include "diagram/diagram_style.h"
#include "optimizer/optimizer.h"
#include "report/report_text.h"
#include "support/test_jobs.h"
#include "text/codec.h"

namespace yobina {
namespace {

using test::DeviceCall;
using test::DrawnBar;
using test::DrawnLabel;
using test::RecordingPrintDevice;

using test::ResultOf;
using test::SortedJob;

TCutPlan PlanOf(TJob job, int32_t trials) {
  Optimizer optimizer;
  test::SilentProgress progress;
  optimizer.RunTrials(job, trials, progress);
  optimizer.OrderPatterns();
  return optimizer.BestPlan();
}

TJob ReferenceJob() {
  return SortedJob({{6000, 30}, {7000, 10}}, {{2300, 7}, {1700, 9}, {1300, 5}, {900, 11}}, 0, 5);
}

// 35 stock lengths and 35 cut lengths: the input page full.
TJob FullJob() {
  std::vector<test::Row> stock, cut;
  for (int32_t i = 0; i < 35; ++i) stock.push_back({4000 + 150 * i, 20});
  for (int32_t k = 0; k < 35; ++k) cut.push_back({280 + 131 * k, 2 + k % 4});
  return SortedJob(stock, cut, 0, 3);
}

// A plan of `patterns` patterns drawn from the job's rows, bar count = pattern number.
TCutPlan MadePlan(const TJob& job, const std::vector<std::vector<int32_t>>& pieces, int32_t stockRow = 1) {
  TCutPlan plan;
  for (const std::vector<int32_t>& counts : pieces) {
    TCutPattern& pattern = plan.Patterns[++plan.PatternCount];
    pattern.StockRow = stockRow;
    pattern.BarCount = plan.PatternCount;
    double used = 0;
    for (size_t k = 0; k < counts.size(); ++k) {
      pattern.PieceCount[k + 1] = counts[k];
      used += (job.CutTable[k + 1].Length + job.Kerf) * static_cast<double>(counts[k]);
    }
    pattern.Leftover = std::max(0.0, job.StockTable[stockRow].Length - used);
  }
  return plan;
}

struct Printed {
  RecordingPrintDevice device{600};
};

void Print(Printed& printed, const TJob& job, const TCutPlan& plan, int32_t offcutMin = 0) {
  JobDocument document;
  document.OffcutMin = offcutMin;
  document.ProjectName = Cp932("港北物流センター新築工事");
  document.MemberName = Cp932("Ｌ－７５×７５×６");
  PrintCuttingDiagrams(ResultOf(document, job, plan), printed.device);
}

std::vector<DrawnBar> Bars(const Printed& printed) {
  return test::BarsOf(printed.device, diagram::kKerfColor);
}

bool Overlap(const test::Rect& a, const test::Rect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

void ExpectOnPage(const Printed& printed) {
  const int32_t width = printed.device.PageWidthDots();
  const int32_t height = printed.device.PageHeightDots();
  for (const test::RecordedCall& call : printed.device.Calls()) {
    if (call.Kind != DeviceCall::FillRect && call.Kind != DeviceCall::DrawLine &&
        call.Kind != DeviceCall::DrawText) {
      continue;
    }
    for (const auto& [x, y] : {std::pair{call.X, call.Y}, std::pair{call.X2, call.Y2}}) {
      ASSERT_TRUE(x >= 0 && x <= width && y >= 0 && y <= height)
          << "call " << static_cast<int>(call.Kind) << " at " << x << "," << y << " on page " << call.Page;
    }
  }
}

void ExpectNoLabelOverlaps(const Printed& printed) {
  const std::vector<DrawnLabel> labels = test::LabelsOf(printed.device);
  for (size_t i = 0; i < labels.size(); ++i) {
    for (size_t j = i + 1; j < labels.size(); ++j) {
      if (labels[i].Page != labels[j].Page) continue;
      EXPECT_FALSE(Overlap(labels[i].Cell, labels[j].Cell))
          << Cp932ToUtf8(labels[i].Text) << " and " << Cp932ToUtf8(labels[j].Text) << " on page "
          << labels[i].Page;
    }
  }
}

// Whether the segment passes through the cell's inside (one dot in from its edges).
bool Crosses(const test::RecordedCall& line, const test::Rect& cell) {
  const double dx = line.X2 - line.X, dy = line.Y2 - line.Y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {line.X - (cell.Left + 1.0), cell.Right - 1.0 - line.X, line.Y - (cell.Top + 1.0),
                       cell.Bottom - 1.0 - line.Y};
  double from = 0, to = 1;  // the part of the segment inside, clipped edge by edge
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
    } else if (p[i] < 0) {
      from = std::max(from, q[i] / p[i]);
    } else {
      to = std::min(to, q[i] / p[i]);
    }
  }
  return from < to;
}

// Every leader ends just above a label it reaches, and passes through none.
void ExpectLeadersClearOfLabels(const Printed& printed) {
  const std::vector<DrawnLabel> labels = test::LabelsOf(printed.device);
  const int32_t mm = 600 * 10 / 254;
  for (const test::RecordedCall& line : printed.device.CallsOf(DeviceCall::DrawLine)) {
    if (line.Color != diagram::kLeaderColor) continue;
    bool reached = false;
    for (const DrawnLabel& label : labels) {
      if (label.Page != line.Page) continue;
      EXPECT_FALSE(Crosses(line, label.Cell))
          << "leader at " << line.X << "," << line.Y << " crosses " << Cp932ToUtf8(label.Text);
      // A label may end at its leader, give or take the rounding of its characters' cells.
      reached = reached || (line.X2 >= label.Cell.Left - mm / 4 && line.X2 <= label.Cell.Right + mm / 4 &&
                            line.Y2 <= label.Cell.Top && line.Y2 + mm > label.Cell.Top);
    }
    EXPECT_TRUE(reached) << "leader at " << line.X2 << "," << line.Y2 << " leads to no label";
  }
}

TEST(CuttingDiagram, ReferenceBarsAreToOneScaleAndAddUpToTheirStockLength) {
  const TJob job = ReferenceJob();
  const TCutPlan plan = PlanOf(job, 10);
  ASSERT_EQ(plan.PatternCount, 4);
  Printed printed;
  Print(printed, job, plan);
  const std::vector<DrawnBar> bars = Bars(printed);
  ASSERT_EQ(bars.size(), 4U);

  const double scale = bars[0].Body.Width() / 6000.0;  // dots per bar mm
  const auto near = [&](int32_t dots, double mm) { return std::abs(dots - mm * scale) <= 1.5; };
  std::map<int32_t, uint32_t> colorOfLength;
  for (int32_t p = 1; p <= 4; ++p) {
    const TCutPattern& pattern = plan.Patterns[p];
    const DrawnBar& bar = bars[p - 1];
    SCOPED_TRACE(p);
    EXPECT_EQ(bar.Page, 1);
    EXPECT_TRUE(near(bar.Body.Width(), job.StockTable[pattern.StockRow].Length));

    // Pieces longest first, each followed by a kerf, then the leftover to the end.
    std::vector<int32_t> lengths;
    for (int32_t k = job.CutCount; k >= 1; --k)
      lengths.insert(lengths.end(), pattern.PieceCount[k], job.CutTable[k].Length);
    ASSERT_EQ(bar.Boxes.size(), lengths.size() + 1);
    int32_t x = bar.Body.Left;
    for (size_t i = 0; i < lengths.size(); ++i) {
      const test::Rect& box = bar.Boxes[i];
      EXPECT_TRUE(near(box.Left - x, i == 0 ? 0 : job.Kerf)) << "gap before piece " << i;
      EXPECT_TRUE(near(box.Width(), lengths[i])) << "piece " << i;
      const auto [entry, added] = colorOfLength.emplace(lengths[i], bar.BoxColors[i]);
      EXPECT_EQ(entry->second, bar.BoxColors[i]) << "colour of " << lengths[i];
      x = box.Right;
    }
    const test::Rect& leftover = bar.Boxes.back();
    EXPECT_EQ(bar.BoxColors.back(), diagram::kLeftoverColor);
    EXPECT_TRUE(near(leftover.Left - x, job.Kerf));
    EXPECT_TRUE(near(leftover.Width(), pattern.Leftover));
    EXPECT_EQ(leftover.Right, bar.Body.Right);
  }
  EXPECT_EQ(colorOfLength.size(), 4U);
  std::vector<uint32_t> colors;
  for (const auto& [length, color] : colorOfLength) colors.push_back(color);
  std::sort(colors.begin(), colors.end());
  EXPECT_EQ(std::unique(colors.begin(), colors.end()), colors.end()) << "rows share a colour";
}

TEST(CuttingDiagram, LabelsNeitherOverlapNorLieAcrossLeaders) {
  // Short pieces push their labels under the bar, a few lanes deep.
  const TJob crowded = SortedJob({{12000, 50}}, {{40, 99}, {75, 99}, {150, 99}, {320, 99}, {2000, 9}}, 0, 3);
  // 35 rows of 1 .. 35 mm: the bar ends in a crowd of labels many lanes deep.
  std::vector<test::Row> tiny;
  for (int32_t length = 1; length <= 35; ++length) tiny.push_back({length, 2000});
  const TJob tinyRows = SortedJob({{12000, 3000}}, tiny, 0, 0);
  // The same far finer on a bar of 2000 km: 35 runs crowd the bar's first
  // millimetres, their names wider than the room left of the bar.
  std::vector<test::Row> fine;
  for (int32_t length = 1; length <= 35; ++length) fine.push_back({length * 1000, 2000000});
  const TJob fineRows = SortedJob({{2000000000, 5}}, fine, 0, 0);
  const std::vector<int32_t> one(35, 1), some(35, 50);
  const std::vector<TJob> jobs = {ReferenceJob(), FullJob(), crowded, tinyRows, fineRows};
  const std::vector<TCutPlan> plans = {
      PlanOf(jobs[0], 10), PlanOf(jobs[1], 10),
      MadePlan(crowded, {{30, 20, 10, 5, 2}, {0, 41, 0, 17, 1}, {3, 0, 1, 0, 5}}), PlanOf(tinyRows, 10),
      MadePlan(fineRows, {one, some})};
  for (size_t i = 0; i < jobs.size() * 2; ++i) {
    SCOPED_TRACE(i);
    Printed printed;
    // With offcuts on too: longer leftover names.
    Print(printed, jobs[i / 2], plans[i / 2], i % 2 == 0 ? 0 : 1000);
    ExpectNoLabelOverlaps(printed);
    ExpectLeadersClearOfLabels(printed);
    ExpectOnPage(printed);
  }
}

TEST(CuttingDiagram, PiecesAndLeftoversAreNamedOnOneLineTwoOrUnderTheBar) {
  // A 10 m bar, cut to leave 9000 (room for one line), 400 (for the word over
  // the number) and 50 (for neither).
  const TJob job = SortedJob({{10000, 9}}, {{1000, 9}, {9600, 9}, {9950, 9}}, 0, 0);
  const TCutPlan plan = MadePlan(job, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  const auto texts = [](const Printed& printed) {
    std::vector<std::string> all;
    for (const DrawnLabel& label : test::LabelsOf(printed.device)) all.push_back(Cp932ToUtf8(label.Text));
    return all;
  };
  const auto has = [](const std::vector<std::string>& all, const std::string& text) {
    return std::find(all.begin(), all.end(), text) != all.end();
  };
  struct Case {
    int32_t offcutMin;
    std::vector<std::string> wanted;  // in the labels drawn
    uint32_t wideLeftoverColor;       // of the 9000
  };
  const std::vector<Case> cases = {
      {0, {"#1 1000", "#2 9600", "#3 9950", "残 9000", "残", "400", "残 50"}, diagram::kLeftoverColor},
      {1000,
       {"残材 9000", "端材", "400", "端材 50", "残材：1000mm以上", "端材：1000mm未満"},
       diagram::kOffcutColor},
      // An offcut of exactly the minimum length is kept.
      {9000, {"残材 9000", "端材", "400"}, diagram::kOffcutColor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offcutMin);
    Printed printed;
    Print(printed, job, plan, c.offcutMin);
    const std::vector<std::string> all = texts(printed);
    for (const std::string& text : c.wanted) EXPECT_TRUE(has(all, text)) << text;
    EXPECT_EQ(has(all, "残材：1000mm以上"), c.offcutMin == 1000);
    ExpectLeadersClearOfLabels(printed);

    const std::vector<DrawnBar> bars = Bars(printed);
    ASSERT_EQ(bars.size(), 3U);
    EXPECT_EQ(bars[0].BoxColors.back(), c.wideLeftoverColor);
    EXPECT_EQ(bars[1].BoxColors.back(), diagram::kLeftoverColor);
    // Scrap and plain leftovers are hatched; an offcut is solid.
    const auto hatched = [](const DrawnBar& bar) {
      return std::any_of(bar.Calls.begin(), bar.Calls.end(),
                         [](const test::RecordedCall& call) { return call.Color == diagram::kHatchColor; });
    };
    EXPECT_EQ(hatched(bars[0]), c.wideLeftoverColor == diagram::kLeftoverColor);
    EXPECT_TRUE(hatched(bars[1]));
  }
}

// CIELAB of a 0x00BBGGRR colour (D65), and its relative luminance.
struct Lab {
  double L, A, B, Luminance;
};

Lab LabOf(uint32_t color) {
  const auto linear = [&](int shift) {
    const double c = ((color >> shift) & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  const double r = linear(0), g = linear(8), b = linear(16);
  const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
  const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
  const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z)), y};
}

double Distance(const Lab& a, const Lab& b) {
  return std::hypot(a.L - b.L, a.A - b.A, a.B - b.B);
}

TEST(CuttingDiagram, ThirtyFiveCutRowsHaveDistinctLegibleColours) {
  const std::vector<uint32_t> reserved = {diagram::kLeftoverColor, diagram::kOffcutColor,
                                          diagram::kHatchColor, diagram::kKerfColor};
  for (int32_t row = 1; row <= diagram::kCutRowColorCount; ++row) {
    SCOPED_TRACE(row);
    const Lab lab = LabOf(diagram::CutRowColor(row));
    // Black text at a contrast of 9:1 or more.
    EXPECT_GE((lab.Luminance + 0.05) / 0.05, 9);
    for (int32_t other = row + 1; other <= diagram::kCutRowColorCount; ++other) {
      EXPECT_GE(Distance(lab, LabOf(diagram::CutRowColor(other))), 12) << "and row " << other;
    }
    for (uint32_t tone : reserved) EXPECT_GE(Distance(lab, LabOf(tone)), 20) << std::hex << tone;
  }
}

TEST(CuttingDiagram, BarsStayWholeOnOnePageInReportOrder) {
  const TJob job = SortedJob({{9000, 500}}, {{200, 9999}, {450, 9999}, {700, 9999}}, 0, 4);
  std::vector<std::vector<int32_t>> pieces;
  for (int32_t p = 0; p < kMaxPatterns; ++p) pieces.push_back({p % 7, (p * 3) % 11, p % 5});
  Printed printed;
  Print(printed, job, MadePlan(job, pieces));
  ExpectOnPage(printed);

  const std::vector<DrawnBar> bars = Bars(printed);
  ASSERT_EQ(bars.size(), static_cast<size_t>(kMaxPatterns));
  const int32_t pages = printed.device.PageCount();
  EXPECT_GT(pages, 3);
  const std::vector<DrawnLabel> labels = test::LabelsOf(printed.device);
  for (size_t b = 0; b < bars.size(); ++b) {
    for (const test::RecordedCall& call : bars[b].Calls) {
      ASSERT_EQ(call.Page, bars[b].Page) << "bar " << b + 1;
    }
    if (b > 0) {
      EXPECT_TRUE(bars[b].Page == bars[b - 1].Page + 1 ||
                  (bars[b].Page == bars[b - 1].Page && bars[b].Body.Top > bars[b - 1].Body.Top));
    }
    // The bar count, which MadePlan sets to the pattern number, gives the order.
    const std::string count = Cp932("× ") + std::to_string(b + 1) + Cp932("本");
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                            [&](const DrawnLabel& label) {
                              return label.Page == bars[b].Page && label.Text == count &&
                                     label.Cell.Top >= bars[b].Body.Top &&
                                     label.Cell.Top < bars[b].Body.Bottom;
                            }))
        << "bar " << b + 1;
  }
  for (int32_t page = 1; page <= pages; ++page) {
    const std::string number = std::to_string(page) + " / " + std::to_string(pages);
    const std::string project = Cp932("工事名：港北物流センター新築工事");
    for (const std::string& wanted : {number, project}) {
      EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const DrawnLabel& label) {
        return label.Page == page && label.Text == wanted;
      })) << Cp932ToUtf8(wanted);
    }
  }
}

TEST(CuttingDiagram, LongNamesAreCutToTheFieldThenToThePageWidth) {
  const TJob job = ReferenceJob();
  const TCutPlan plan = PlanOf(job, 10);
  JobDocument document;
  document.ProjectName = RepeatText(Cp932("表"), 255) + "X";  // from a job file
  document.MemberName = std::string(31, 'a') + Cp932("鋼");
  const PlanResult result = ResultOf(document, job, plan);
  const auto headerOf = [](const RecordingPrintDevice& device, const std::string& caption) {
    const std::vector<DrawnLabel> labels = test::LabelsOf(device);
    const auto found = std::find_if(labels.begin(), labels.end(),
                                    [&](const DrawnLabel& label) { return label.Text.starts_with(caption); });
    return found == labels.end() ? DrawnLabel{} : *found;
  };
  const std::string project = Cp932("工事名：");
  const std::string member = Cp932("部材名：");

  RecordingPrintDevice a4(600);
  PrintCuttingDiagrams(result, a4);
  EXPECT_EQ(headerOf(a4, project).Text, project + RepeatText(Cp932("表"), 16));
  EXPECT_EQ(headerOf(a4, member).Text, member + std::string(31, 'a'));

  // A view 60 mm wide: "…" closes what fits.
  const int32_t width = 60 * 600 * 10 / 254;
  RecordingPrintDevice narrow(600, width, 20000);
  DrawCuttingDiagrams(result, narrow);
  const DrawnLabel header = headerOf(narrow, project);
  const auto kept = static_cast<int32_t>(header.Text.size() - project.size() - 2) / 2;
  EXPECT_GT(kept, 0);
  EXPECT_EQ(header.Text, project + RepeatText(Cp932("表"), kept) + Cp932("…"));
  EXPECT_LE(header.Cell.Right, width);
}

TEST(CuttingDiagram, OddPlansStayOnThePageWithFewCalls) {
  struct Case {
    const char* name;
    TJob job;
    TCutPlan plan;
  };
  std::vector<Case> cases;
  // Two thousand million 1 mm pieces: drawn as one box per cut row.
  TJob huge = SortedJob({{2000000000, 2}}, {{1, 2000000000}, {2, 2000000000}}, 0, 0);
  cases.push_back({"huge counts", huge, MadePlan(huge, {{2000000000, 0}, {0, 999999999}})});
  // Kerfs below zero, pieces past the bar's end into the margin, a row outside the stock table.
  TJob negative = SortedJob({{6000, 10}}, {{1000, 50}}, 0, -10);
  cases.push_back({"negative kerf", negative, MadePlan(negative, {{7}})});
  TJob margin = SortedJob({{6000, 10}}, {{2000, 30}}, 10, 5);
  cases.push_back({"into the margin", margin, MadePlan(margin, {{3}})});
  cases.push_back({"unknown stock row", margin, MadePlan(margin, {{2}}, 7)});
  cases.push_back({"no plan", margin, TCutPlan{}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Printed printed;
    Print(printed, c.job, c.plan);
    EXPECT_LT(printed.device.Calls().size(), 20000U);
    ExpectOnPage(printed);
    ExpectNoLabelOverlaps(printed);
    for (const DrawnBar& bar : Bars(printed)) {
      for (const test::Rect& box : bar.Boxes) {
        EXPECT_TRUE(box.Left >= bar.Body.Left && box.Right <= bar.Body.Right && box.Left <= box.Right);
      }
    }
  }
}

}  // namespace
}  // namespace yobina
