// The trial driver's rules beyond the worked examples: plans that do
// not count, the pattern limit, long bars, odd input, stop requests.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "optimizer/optimizer.h"
#include "optimizer/optimizer_test_support.h"
#include "optimizer/random_step.h"
#include "optimizer/reference_optimizer.h"

namespace yobina::test {
namespace {

struct NoPlanCase {
  const char* name;
  TJob job;
  int32_t reports;  // trials that still produced a (worse than 9999 %) plan
};

TEST(RunTrialsRules, JobsWithoutAPlan) {
  const NoPlanCase cases[] = {
      {"piece longer than every bar plus margin", MakeJob({{6000, 5}}, {{6001, 1}}, 0, 0), 0},
      {"stock runs out", MakeJob({{6000, 1}}, {{2000, 6}}, 0, 5), 0},
      {"loss rate of 9999 % or more", MakeJob({{6000, 1}}, {{10, 1}}, 0, 0), 10},
      {"nothing required", MakeJob({{6000, 5}}, {{1000, 0}}, 0, 0), 10},
      {"margin covers the pieces but no bar is on hand", MakeJob({{6000, 0}}, {{100, 5}}, 200, 0), 0},
  };
  for (const NoPlanCase& c : cases) {
    SCOPED_TRACE(c.name);
    Optimizer optimizer;
    TJob earlier = MakeJob({{6000, 10}}, {{2000, 3}, {1500, 2}}, 0, 0);
    RecordingProgress earlierProgress;
    optimizer.RunTrials(earlier, 10, earlierProgress);  // leaves a plan with totals behind
    ASSERT_GT(optimizer.BestPlan().PatternCount, 0);

    TJob job = c.job;
    RecordingProgress progress;
    optimizer.RunTrials(job, 10, progress);
    EXPECT_EQ(optimizer.BestPlan().PatternCount, 0);
    EXPECT_EQ(optimizer.BestPlan().StockLength, 0);
    EXPECT_EQ(optimizer.BestPlan().LeftoverLength, 0);
    EXPECT_EQ(optimizer.BestPlan().LossRate, 9999);
    EXPECT_EQ(optimizer.BestPlan().LeftoverRate, 9999);
    EXPECT_EQ(progress.reports.size(), static_cast<size_t>(c.reports));
    for (const TrialReport& report : progress.reports) {
      EXPECT_GE(report.LossRate, 9999);
      EXPECT_EQ(report.BestLossRate, 9999);
    }
    EXPECT_EQ(progress.checkpoints, 10);
  }
}

TEST(RunTrialsRules, EmptyCutListReturnsAtOnceWithoutHooks) {
  TJob job = MakeJob({{6000, 5}}, {}, 0, 0);
  Optimizer optimizer;
  RecordingProgress progress;
  optimizer.RunTrials(job, 10, progress);
  EXPECT_EQ(optimizer.BestPlan().PatternCount, 0);
  EXPECT_EQ(optimizer.BestPlan().MemberLength, 0);
  EXPECT_TRUE(progress.reports.empty());
  EXPECT_EQ(progress.checkpoints, 0);
}

TEST(RunTrialsRules, ShortStockIsUsedFirstEvenWhenNothingFitsIt) {
  TJob job = MakeJob({{3000, 2}, {6000, 5}}, {{4000, 1}}, 0, 0);
  Optimizer optimizer;
  RecordingProgress progress;
  optimizer.RunTrials(job, 1, progress);
  const TCutPlan& plan = optimizer.BestPlan();
  ASSERT_EQ(plan.PatternCount, 2);
  EXPECT_EQ(plan.Patterns[1].StockRow, 1);
  EXPECT_EQ(plan.Patterns[1].BarCount, 2);
  EXPECT_EQ(plan.Patterns[1].PieceCount[1], 0);
  EXPECT_EQ(plan.Patterns[1].LeftoverPercent, 100);
  EXPECT_EQ(plan.Patterns[2].StockRow, 2);
  EXPECT_EQ(plan.StockLength, 12000);
  EXPECT_EQ(plan.LossRate, 200);
}

// One empty pattern per short stock row, then one pattern per cut row of a single 4000 piece.
TJob PatternsOnePerRow(int32_t shortRows, int32_t cutRows) {
  TJob job = MakeJob({}, {}, 0, 0);
  for (int32_t k = 1; k <= shortRows; ++k) job.StockTable[k] = {1000, 1, 0};
  job.StockTable[shortRows + 1] = {6000, 500, 0};
  job.StockCount = shortRows + 1;
  for (int32_t k = 1; k <= cutRows; ++k) job.CutTable[k] = {4000, 1, 0};
  job.CutCount = cutRows;
  return job;
}

TEST(RunTrialsRules, AHundredPatternsFitButAHundredAndFirstFailsTheTrial) {
  struct Case {
    int32_t shortRows;
    int32_t patterns;
  };
  for (const Case c : {Case{1, 100}, Case{2, 0}}) {
    SCOPED_TRACE(c.shortRows);
    TJob job = PatternsOnePerRow(c.shortRows, 99);
    Optimizer optimizer;
    RecordingProgress progress;
    optimizer.RunTrials(job, 1, progress);
    EXPECT_EQ(optimizer.BestPlan().PatternCount, c.patterns);
    EXPECT_EQ(progress.reports.size(), c.patterns == 0 ? 0u : 1u);
  }
}

TEST(RunTrialsRules, LongBarsInNumbersKeepExactTotals) {
  // 32-bit products would overflow: 3 x 2e9 mm of stock, 3 x 1.5e9 mm of members, 100 x 5e8 mm free.
  TJob job = MakeJob({{2000000000, 3}}, {{1500000000, 3}}, 0, 0);
  Optimizer optimizer;
  RecordingProgress progress;
  optimizer.RunTrials(job, 2, progress);
  const TCutPlan& plan = optimizer.BestPlan();
  ASSERT_EQ(plan.PatternCount, 1);
  EXPECT_EQ(plan.Patterns[1].BarCount, 3);
  EXPECT_EQ(plan.Patterns[1].Leftover, 500000000);
  EXPECT_EQ(plan.Patterns[1].LeftoverPercent, 25);
  EXPECT_EQ(plan.MemberLength, 4500000000.0);
  EXPECT_EQ(plan.StockLength, 6000000000.0);
  EXPECT_EQ(plan.LeftoverLength, 1500000000.0);
  EXPECT_EQ(plan.LeftoverRate, 25);
  EXPECT_DOUBLE_EQ(plan.LossRate, 100.0 / 3);
}

TEST(RunTrialsRules, OddInputEndsAndMatchesTheReference) {
  const TJob jobs[] = {
      MakeJob({{-6000, 5}}, {{-100, 3}}, 0, 0),
      MakeJob({{6000, 5}}, {{-100, 3}, {2000, 4}}, 0, 0),
      MakeJob({{6000, -5}, {5000, 0}}, {{2000, 4}}, 0, 0),
      MakeJob({{6000, 5}}, {{2000, -4}, {1000, 3}}, 0, 0),
      MakeJob({{6000, 50}}, {{10, 200000}}, 0, -20),  // every piece adds 10 mm of free length
      MakeJob({{6000, 2}}, {{3000, 3}}, -3000, 0),
      MakeJob({{6000, 2}}, {{3000, 3}}, 2147483647, 2147483647),
  };
  for (const TJob& job : jobs) {
    SCOPED_TRACE(::testing::Message()
                 << "stock " << job.StockTable[1].Length << " cut " << job.CutTable[1].Length);
    TJob fastJob = job;
    TJob plainJob = job;
    Optimizer fast;
    ReferenceOptimizer plain;
    RecordingProgress fastProgress;
    RecordingProgress plainProgress;
    fast.RunTrials(fastJob, 3, fastProgress);
    plain.RunTrials(plainJob, 3, plainProgress);
    EXPECT_EQ(fast.BestPlan().PatternCount, plain.BestPlan().PatternCount);
    EXPECT_EQ(fast.Seed(), plain.Seed());
    EXPECT_EQ(fastProgress.reports.size(), plainProgress.reports.size());
  }
}

TEST(FillBarRules, FreeLengthGrownByNegativePiecesStaysBounded) {
  const TJob job = MakeJob({{6000, 1}}, {{-2000000000, 3000000}}, 0, -2000000000);
  Optimizer fast;
  ReferenceOptimizer plain;
  fast.ResetBestPattern();
  plain.ResetBestPattern();
  fast.FillBar(job, 1, job.Kerf, job.Margin, 1);
  plain.FillBar(job, 1, job.Kerf, job.Margin, 1);
  // Every piece is placed (one draw each, plus one as free + margin passes 999999); the
  // free length, capped at kMaxFreeLength, is far beyond 999 % of the bar, so nothing is kept.
  EXPECT_EQ(fast.Seed(), AdvanceSeed(0, 3000001));
  EXPECT_EQ(plain.Seed(), AdvanceSeed(0, 3000001));
  EXPECT_EQ(fast.BestPattern().StockRow, 0);
  EXPECT_EQ(plain.BestPattern().StockRow, 0);
}

TEST(RunTrialsRules, SameJobSameResultWhateverRanBefore) {
  const TJob wide =
      MakeJob({{6000, 40}, {7000, 20}}, {{500, 9}, {700, 8}, {900, 7}, {1100, 6}, {1300, 5}}, 5, 3);
  const TJob narrow = MakeJob({{6000, 30}}, {{1900, 7}, {2100, 5}}, 0, 5);
  Optimizer used;
  RecordingProgress ignored;
  TJob first = wide;
  used.RunTrials(first, 20, ignored);
  TJob second = narrow;
  RecordingProgress usedProgress;
  used.RunTrials(second, 20, usedProgress);

  Optimizer fresh;
  TJob third = narrow;
  RecordingProgress freshProgress;
  fresh.RunTrials(third, 20, freshProgress);
  const TCutPlan& a = used.BestPlan();
  const TCutPlan& b = fresh.BestPlan();
  ASSERT_EQ(a.PatternCount, b.PatternCount);
  EXPECT_EQ(a.LossRate, b.LossRate);
  for (int32_t i = 1; i <= a.PatternCount; ++i) {
    EXPECT_EQ(a.Patterns[i].PieceCount,
              b.Patterns[i].PieceCount);  // all 100 rows, no leftovers of the wide job
    EXPECT_EQ(a.Patterns[i].BarCount, b.Patterns[i].BarCount);
  }
  ASSERT_EQ(usedProgress.reports.size(), freshProgress.reports.size());
  for (size_t i = 0; i < usedProgress.reports.size(); ++i) {
    EXPECT_EQ(usedProgress.reports[i].LossRate, freshProgress.reports[i].LossRate);
  }
}

TEST(OrderPatternsRules, ByStockRowThenMostBarsFirst) {
  TJob job = MakeJob({{6000, 30}, {7000, 10}}, {{900, 11}, {1300, 5}, {1700, 9}, {2300, 7}}, 0, 5);
  Optimizer optimizer;
  RecordingProgress progress;
  optimizer.RunTrials(job, 100, progress);
  const TCutPlan before = optimizer.BestPlan();
  optimizer.OrderPatterns();
  const TCutPlan& after = optimizer.BestPlan();
  ASSERT_EQ(after.PatternCount, before.PatternCount);
  for (int32_t i = 2; i <= after.PatternCount; ++i) {
    const TCutPattern& previous = after.Patterns[i - 1];
    const TCutPattern& current = after.Patterns[i];
    EXPECT_TRUE(previous.StockRow < current.StockRow ||
                (previous.StockRow == current.StockRow && previous.BarCount >= current.BarCount))
        << "pattern " << i;
  }
  // The same patterns, only moved.
  int32_t bars = 0;
  for (int32_t i = 1; i <= after.PatternCount; ++i)
    bars += after.Patterns[i].BarCount - before.Patterns[i].BarCount;
  EXPECT_EQ(bars, 0);
}

TEST(RunTrialsStop, StopAfterATrialKeepsTheBestSoFar) {
  TJob job = MakeJob({{6000, 30}, {7000, 10}}, {{900, 11}, {1300, 5}, {1700, 9}, {2300, 7}}, 0, 5);
  Optimizer optimizer;
  RecordingProgress progress;
  progress.onCheckpoint = [&] {
    if (progress.checkpoints == 3) optimizer.RequestStop();
  };
  optimizer.RunTrials(job, 10, progress);
  EXPECT_TRUE(optimizer.StopRequested());
  EXPECT_EQ(progress.reports.size(), 3u);

  Optimizer threeTrials;
  TJob again = MakeJob({{6000, 30}, {7000, 10}}, {{900, 11}, {1300, 5}, {1700, 9}, {2300, 7}}, 0, 5);
  RecordingProgress ignored;
  threeTrials.RunTrials(again, 3, ignored);
  EXPECT_EQ(optimizer.BestPlan().PatternCount, threeTrials.BestPlan().PatternCount);
  EXPECT_EQ(optimizer.BestPlan().LossRate, threeTrials.BestPlan().LossRate);

  // The next Run starts with the flag cleared.
  progress.onCheckpoint = nullptr;
  optimizer.RunTrials(job, 10, progress);
  EXPECT_FALSE(optimizer.StopRequested());
  EXPECT_EQ(optimizer.BestPlan().LossRate, 2200.0 * 100 / 47800);
}

TEST(RunTrialsStop, AHugeTrialYieldsAndStopsWithoutAPlan) {
  // A billion pieces each of 1 and 2 mm on a two-billion-mm bar: one attempt takes seconds.
  TJob job = MakeJob({{2000000000, 1}}, {{1, 1000000000}, {2, 1000000000}}, 0, 0);
  Optimizer optimizer;
  RecordingProgress progress;
  progress.onCheckpoint = [&] {
    if (progress.checkpoints == 3) optimizer.RequestStop();
  };
  optimizer.RunTrials(job, 10, progress);
  EXPECT_EQ(progress.checkpoints, 3);  // all inside the first trial
  EXPECT_TRUE(progress.reports.empty());
  EXPECT_EQ(optimizer.BestPlan().PatternCount, 0);
}

TEST(RunTrialsRules, OneTinyPieceInBillionsIsPlacedAtOnce) {
  TJob job = MakeJob({{2000000000, 1}}, {{1, 2000000000}}, 0, 0);
  Optimizer optimizer;
  RecordingProgress progress;
  optimizer.RunTrials(job, 10, progress);  // its speed: bench_optimizer's odd jobs
  const TCutPlan& plan = optimizer.BestPlan();
  ASSERT_EQ(plan.PatternCount, 1);
  EXPECT_EQ(plan.Patterns[1].PieceCount[1], 2000000000);
  EXPECT_EQ(plan.Patterns[1].Leftover, 0);
  EXPECT_EQ(plan.LossRate, 0);
  EXPECT_EQ(progress.reports.size(), 10u);
}

TEST(RunTrialsRules, PiecesThatAddFreeLengthArePlacedAtOnce) {
  // Each 1 mm piece adds 9 mm: an attempt places all two billion pieces, one
  // draw each, and draws once more with the free length past 999999. No
  // attempt is kept, so no trial finds a plan.
  TJob job = MakeJob({{6000, 10}}, {{1, 2000000000}}, 0, -10);
  Optimizer optimizer;
  RecordingProgress progress;
  optimizer.RunTrials(job, 3, progress);
  EXPECT_EQ(optimizer.BestPlan().PatternCount, 0);
  EXPECT_EQ(optimizer.Seed(), AdvanceSeed(0, uint64_t{3} * 10 * 2000000001));
  EXPECT_EQ(progress.checkpoints, 3);
}

// The job files that once ran for minutes: free length added by negative kerfs,
// a two-billion-mm bar, tiny pieces in billions. A stop asked for from the
// hook ends each Run well within a second.
TEST(RunTrialsStop, SlowJobsStopSoonAfterTheRequest) {
  constexpr int32_t kBillions = 2000000000;
  TJob manyRows =
      MakeJob({{6031, kBillions}, {6032, kBillions}, {6033, kBillions}, {6034, kBillions}}, {}, 0, -1000);
  for (int32_t length = 2; length <= 21; ++length)
    manyRows.CutTable[++manyRows.CutCount] = {length, kBillions, 0};
  manyRows.CutTable[++manyRows.CutCount] = {1000, 50, 0};
  TJob tinyPieces =
      MakeJob({{4000, 56}, {4500, 34}, {6002, kBillions}, {6007, kBillions}, {6500, 36}, {11000, 37}},
              {{10, 4400}}, 0, -1000);
  for (int32_t length = 20; length <= 34; ++length) {
    if (length != 28) tinyPieces.CutTable[++tinyPieces.CutCount] = {length, kBillions, 0};
  }
  for (const Row row :
       {Row{1461, 16}, Row{1744, 11}, Row{2250, 0}, Row{4323, 11}, Row{5250, 6}, Row{5595, 8}})
    tinyPieces.CutTable[++tinyPieces.CutCount] = {row.Length, row.Count, 0};
  const TJob jobs[] = {
      MakeJob({{6000, 10}}, {{1, kBillions}}, 0, -10),
      MakeJob({{kBillions, kBillions}}, {{1, kBillions}, {2, kBillions}}, 0, 0),
      MakeJob({{6000, kBillions}},
              {{27, kBillions}, {28, kBillions}, {29, kBillions}, {30, kBillions}, {31, kBillions}}, 0, 5),
      manyRows,
      tinyPieces,
  };
  for (const TJob& shape : jobs) {
    SCOPED_TRACE(::testing::Message() << shape.CutCount << " cut rows, kerf " << shape.Kerf);
    TJob job = shape;
    Optimizer optimizer;
    RecordingProgress progress;
    std::chrono::steady_clock::time_point requested;
    progress.onCheckpoint = [&] {
      if (optimizer.StopRequested()) return;
      optimizer.RequestStop();
      requested = std::chrono::steady_clock::now();
    };
    optimizer.RunTrials(job, 500, progress);
    EXPECT_TRUE(optimizer.StopRequested());
    EXPECT_LT(std::chrono::steady_clock::now() - requested, std::chrono::milliseconds(500));
  }
}

struct ForcedRunCase {
  int32_t stock, margin, kerf, length, count;
};

TEST(FillBarRules, ForcedRunsMatchPiecePerPiecePlacement) {
  const ForcedRunCase cases[] = {
      {1000000, 0, 0, 1, 900000},
      {1000000, 0, 0, 1, 2000000},
      {1000000, 5, 3, 7, 500000},
      {1000000, 20, 0, 10, 200000},
      {300000, 0, 0, 0, 100000},
      {300000, 10, -3, 3, 100000},
      {5000000, 0, 1, 2, 3000000},
      {999999, 1, 0, 1, 999999},
      // Bars short of 999999 mm with hundreds of thousands of pieces an attempt.
      {900000, 0, 0, 1, 2000000},
      {500000, 7, 2, 9, 40000},
  };
  for (const ForcedRunCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.stock << " " << c.margin << " " << c.kerf << " " << c.length);
    const TJob job =
        MakeJob({{c.stock, 1}}, {{c.length, c.count}, {c.stock + c.margin + 1, 1}}, c.margin, c.kerf);
    Optimizer fast;
    ReferenceOptimizer plain;
    fast.ResetBestPattern();
    plain.ResetBestPattern();
    fast.FillBar(job, 1, c.kerf, c.margin, 3);
    plain.FillBar(job, 1, c.kerf, c.margin, 3);
    EXPECT_EQ(fast.Seed(), plain.Seed());
    EXPECT_EQ(fast.BestPattern().PieceCount[1], plain.BestPattern().PieceCount[1]);
    EXPECT_EQ(fast.BestPattern().Leftover, plain.BestPattern().Leftover);
  }
}

}  // namespace
}  // namespace yobina::test
