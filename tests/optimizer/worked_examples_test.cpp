// Worked examples of the generator and the trial driver with hand-checked
// results, run on the product and on the plain reference version alike.
#include <gtest/gtest.h>

#include <array>

#include "optimizer/optimizer.h"
#include "optimizer/optimizer_test_support.h"
#include "optimizer/random_step.h"
#include "optimizer/reference_optimizer.h"

namespace yobina::test {
namespace {

template <class T>
class WorkedExamples : public ::testing::Test {
 protected:
  T optimizer;
};

using Implementations = ::testing::Types<Optimizer, ReferenceOptimizer>;
TYPED_TEST_SUITE(WorkedExamples, Implementations);

uint32_t SeedAfterDraws(int draws) {
  return AdvanceSeed(0, static_cast<uint64_t>(draws));
}

TYPED_TEST(WorkedExamples, FirstDrawsOfARun) {
  const std::array<uint32_t, 5> expected{0, 3137, 86103, 20257, 27291};
  for (uint32_t draw : expected) EXPECT_EQ(this->optimizer.NextRandom(99999), draw);
  EXPECT_EQ(this->optimizer.Seed(), SeedAfterDraws(5));
}

struct SingleRowFill {
  const char* name;
  int32_t stock, margin, kerf, pieceLength, needed;
  int32_t pieces;
  double leftover;
};

TYPED_TEST(WorkedExamples, FillBarWithOneCutRow) {
  const SingleRowFill cases[] = {
      {"second 3000 does not fit", 6000, 0, 5, 3000, 5, 1, 2995},
      {"margin lets the second 3000 in", 6000, 10, 5, 3000, 5, 2, 0},
      {"two of 2000 without margin", 6000, 0, 5, 2000, 3, 2, 1990},
      {"third 2000 fits the margin, free floors at 0", 6000, 10, 5, 2000, 3, 3, 0},
      {"nothing fits", 4000, 0, 5, 4500, 3, 0, 4000},
  };
  for (const SingleRowFill& c : cases) {
    SCOPED_TRACE(c.name);
    TypeParam fresh;
    const TJob job = MakeJob({{c.stock, 1}}, {{c.pieceLength, c.needed}}, c.margin, c.kerf);
    fresh.ResetBestPattern();
    fresh.FillBar(job, 1, c.kerf, c.margin, 1);
    const TCutPattern& best = fresh.BestPattern();
    EXPECT_EQ(best.StockRow, 1);
    EXPECT_EQ(best.PieceCount[1], c.pieces);
    EXPECT_EQ(best.Leftover, c.leftover);
    EXPECT_EQ(best.LeftoverPercent, 100 * c.leftover / c.stock);
  }
}

TYPED_TEST(WorkedExamples, FillBarLeftoverPercentOfAHalfUsedBar) {
  const TJob job = MakeJob({{6000, 1}}, {{3000, 5}}, 0, 5);
  this->optimizer.ResetBestPattern();
  this->optimizer.FillBar(job, 1, 5, 0, 1);
  EXPECT_NEAR(this->optimizer.BestPattern().LeftoverPercent, 49.9166666, 1e-6);
}

TYPED_TEST(WorkedExamples, FillBarTwoRowsFromSeedZero) {
  const TJob job = MakeJob({{6000, 1}}, {{3000, 5}, {1800, 4}}, 0, 5);
  this->optimizer.ResetBestPattern();
  this->optimizer.FillBar(job, 1, 5, 0, 1);
  const TCutPattern& best = this->optimizer.BestPattern();
  EXPECT_EQ(best.PieceCount[1], 1);
  EXPECT_EQ(best.PieceCount[2], 1);
  EXPECT_EQ(best.Leftover, 1190);
  EXPECT_EQ(this->optimizer.Seed(), SeedAfterDraws(2));
}

TYPED_TEST(WorkedExamples, RowsNeedingOnePieceAppearOnce) {
  const TJob job = MakeJob({{6000, 1}}, {{100, 1}, {200, 1}, {300, 1}}, 0, 0);
  this->optimizer.ResetBestPattern();
  this->optimizer.FillBar(job, 1, 0, 0, 50);
  const TCutPattern& best = this->optimizer.BestPattern();
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(best.PieceCount[k], 1);
  EXPECT_EQ(best.Leftover, 5400);
}

TYPED_TEST(WorkedExamples, DrawsAfterTheLastPieceOfAHugeBar) {
  struct Case {
    int32_t stock;
    int draws;
  };
  for (const Case c : {Case{1100000, 2}, Case{900000, 1}}) {
    TypeParam fresh;
    const TJob job = MakeJob({{c.stock, 1}}, {{300, 1}}, 0, 0);
    fresh.ResetBestPattern();
    fresh.FillBar(job, 1, 0, 0, 1);
    EXPECT_EQ(fresh.BestPattern().PieceCount[1], 1);
    EXPECT_EQ(fresh.Seed(), SeedAfterDraws(c.draws)) << c.stock;
  }
}

TYPED_TEST(WorkedExamples, EqualSharesKeepTheEarlierCall) {
  const TJob job = MakeJob({{3500, 1}, {6000, 1}}, {{3465, 1}, {5940, 1}}, 0, 0);
  this->optimizer.ResetBestPattern();
  this->optimizer.FillBar(job, 2, 0, 0, 200);
  ASSERT_EQ(this->optimizer.BestPattern().Leftover, 60);  // the 6000 bar can leave 60 mm (1 %)

  this->optimizer.ResetBestPattern();
  this->optimizer.FillBar(job, 1, 0, 0, 200);
  this->optimizer.FillBar(job, 2, 0, 0, 200);
  EXPECT_EQ(this->optimizer.BestPattern().StockRow, 1);
  EXPECT_EQ(this->optimizer.BestPattern().Leftover, 35);
}

TYPED_TEST(WorkedExamples, ThreePiecesOnOneBar) {
  TJob job = MakeJob({{6000, 10}}, {{2000, 3}}, 0, 0);
  RecordingProgress progress;
  this->optimizer.RunTrials(job, 1, progress);
  const TCutPlan& plan = this->optimizer.BestPlan();
  ASSERT_EQ(plan.PatternCount, 1);
  EXPECT_EQ(plan.Patterns[1].PieceCount[1], 3);
  EXPECT_EQ(plan.Patterns[1].BarCount, 1);
  EXPECT_EQ(plan.StockLength, 6000);
  EXPECT_EQ(plan.MemberLength, 6000);
  EXPECT_EQ(plan.LeftoverRate, 0);
  EXPECT_EQ(plan.LossRate, 0);
  ASSERT_EQ(progress.reports.size(), 1u);
  EXPECT_EQ(progress.reports[0].LossRate, 0);
  EXPECT_EQ(progress.reports[0].Trial, 1);
  EXPECT_EQ(progress.reports[0].BestLossRate, 0);
}

TYPED_TEST(WorkedExamples, ShortStockFirstThenTheLongBars) {
  TJob job = MakeJob({{4000, 2}, {6000, 10}}, {{1900, 7}}, 0, 5);
  job.SmallStockLimit = kSmallStockLimit;
  RecordingProgress progress;
  this->optimizer.RunTrials(job, 10, progress);
  const TCutPlan& plan = this->optimizer.BestPlan();
  ASSERT_EQ(plan.PatternCount, 2);
  EXPECT_EQ(plan.Patterns[1].StockRow, 1);
  EXPECT_EQ(plan.Patterns[1].PieceCount[1], 2);
  EXPECT_EQ(plan.Patterns[1].Leftover, 190);
  EXPECT_EQ(plan.Patterns[1].BarCount, 2);
  EXPECT_EQ(plan.Patterns[2].StockRow, 2);
  EXPECT_EQ(plan.Patterns[2].PieceCount[1], 3);
  EXPECT_EQ(plan.Patterns[2].Leftover, 285);
  EXPECT_EQ(plan.Patterns[2].BarCount, 1);
  EXPECT_EQ(plan.MemberLength, 13300);
  EXPECT_EQ(plan.StockLength, 14000);
  EXPECT_EQ(plan.LeftoverLength, 665);
  EXPECT_DOUBLE_EQ(plan.LeftoverRate, 4.75);
  EXPECT_DOUBLE_EQ(plan.LossRate, 700.0 * 100 / 13300);
  ASSERT_EQ(progress.reports.size(), 10u);
  EXPECT_EQ(ThreeDecimals(progress.reports[0].LossRate), "5.263");
  for (const TrialReport& report : progress.reports) EXPECT_EQ(report.LossRate, plan.LossRate);
}

// The reference job of the documentation: cut table sorted ascending.
TJob ReferenceJob() {
  return MakeJob({{6000, 30}, {7000, 10}}, {{900, 11}, {1300, 5}, {1700, 9}, {2300, 7}}, 0, 5);
}

struct ExpectedPattern {
  int32_t stockRow, barCount;
  std::array<int32_t, 4> pieces;
  double leftover;
};

TYPED_TEST(WorkedExamples, ReferenceJobTenTrials) {
  TJob job = ReferenceJob();
  RecordingProgress progress;
  this->optimizer.RunTrials(job, 10, progress);
  ASSERT_GE(progress.reports.size(), 3u);
  EXPECT_EQ(progress.reports[0].Trial, 1);
  EXPECT_EQ(ThreeDecimals(progress.reports[0].LossRate), "15.063");
  EXPECT_EQ(progress.reports[1].Trial, 2);
  EXPECT_EQ(ThreeDecimals(progress.reports[1].LossRate), "12.971");
  EXPECT_EQ(progress.reports[2].Trial, 3);
  EXPECT_EQ(ThreeDecimals(progress.reports[2].LossRate), "4.603");
  EXPECT_EQ(progress.checkpoints, 10);

  const TCutPlan& plan = this->optimizer.BestPlan();
  EXPECT_EQ(plan.MemberLength, 47800);
  EXPECT_EQ(plan.StockLength, 50000);
  EXPECT_EQ(plan.LeftoverLength, 2040);
  EXPECT_DOUBLE_EQ(plan.LeftoverRate, 4.08);
  EXPECT_DOUBLE_EQ(plan.LossRate, 2200.0 * 100 / 47800);
  EXPECT_EQ(plan.LossRate, progress.reports[2].LossRate);

  if constexpr (std::is_same_v<TypeParam, Optimizer>) {
    this->optimizer.OrderPatterns();
    const ExpectedPattern expected[] = {
        {1, 5, {2, 0, 1, 1}, 180},
        {1, 1, {0, 1, 0, 2}, 85},
        {2, 1, {1, 2, 2, 0}, 75},
        {2, 1, {0, 2, 2, 0}, 980},
    };
    ASSERT_EQ(plan.PatternCount, 4);
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i + 1);
      const TCutPattern& pattern = plan.Patterns[i + 1];
      EXPECT_EQ(pattern.StockRow, expected[i].stockRow);
      EXPECT_EQ(pattern.BarCount, expected[i].barCount);
      for (int k = 0; k < 4; ++k) EXPECT_EQ(pattern.PieceCount[k + 1], expected[i].pieces[k]);
      EXPECT_EQ(pattern.Leftover, expected[i].leftover);
    }
  }
}

TYPED_TEST(WorkedExamples, ReferenceJobHundredTrials) {
  TJob job = ReferenceJob();
  RecordingProgress progress;
  this->optimizer.RunTrials(job, 100, progress);

  RecordingProgress tenTrials;
  TJob again = ReferenceJob();
  TypeParam other;
  other.RunTrials(again, 10, tenTrials);
  ASSERT_GE(progress.reports.size(), tenTrials.reports.size());
  for (size_t i = 0; i < tenTrials.reports.size(); ++i) {
    EXPECT_EQ(progress.reports[i].LossRate, tenTrials.reports[i].LossRate);
    EXPECT_EQ(progress.reports[i].Trial, tenTrials.reports[i].Trial);
  }

  const TCutPlan& plan = this->optimizer.BestPlan();
  ASSERT_EQ(plan.PatternCount, 5);
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(plan.Patterns[i].StockRow, 2);
  EXPECT_EQ(plan.StockLength, 49000);
  EXPECT_EQ(plan.LeftoverLength, 1040);
  EXPECT_DOUBLE_EQ(plan.LossRate, 1200.0 * 100 / 47800);

  int32_t firstBestTrial = 0;
  for (const TrialReport& report : progress.reports) {
    if (report.LossRate == plan.LossRate) {
      firstBestTrial = report.Trial;
      break;
    }
  }
  EXPECT_EQ(firstBestTrial, 78);
  const TrialReport& last = progress.reports.back();
  EXPECT_EQ(last.Trial, 100);
  EXPECT_EQ(ThreeDecimals(last.LossRate), "8.787");
  EXPECT_EQ(ThreeDecimals(last.BestLossRate), "2.510");
}

}  // namespace
}  // namespace yobina::test
