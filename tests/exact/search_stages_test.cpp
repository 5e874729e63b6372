// The planner's ways to a plan (the dive, the packing search) and its threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "exact/case_search.h"
#include "exact/coin_solvers.h"
#include "exact/column_generation.h"
#include "exact/dive.h"
#include "exact/exact_planner.h"
#include "exact/job_model.h"
#include "exact/packing_search.h"
#include "exact/plan_checker.h"
#include "exact/planted_job.h"
#include "job/job_io.h"
#include "optimizer/random_job.h"

namespace yobina {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kJobs = 6;
#else
constexpr int kJobs = 40;
#endif

const Deadline kNoHurry(60, nullptr);

// What a solution of the model must keep: every piece supplied, the bar
// limits, and the stock length it claims.
void ExpectSolves(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                  const std::vector<int32_t>& bars, int64_t stockLength) {
  EXPECT_TRUE(KeepsBarLimits(model, patterns, bars));
  EXPECT_EQ(StockLengthOf(model, patterns, bars), stockLength);
  for (size_t i = 0; i < model.Items.size(); ++i) {
    int64_t supplied = 0;
    for (size_t p = 0; p < patterns.size(); ++p) supplied += int64_t{patterns[p].Pieces[i]} * bars[p];
    EXPECT_GE(supplied, model.Items[i].Demand) << "item " << i;
  }
  for (const CutPattern& pattern : patterns) {
    EXPECT_LE(PatternWeight(model, pattern), model.Types[pattern.Type].Capacity);
  }
}

TEST(Dive, EveryRoundingGivesAPlanThatKeepsTheRulesOrNone) {
  test::JobRandom random(17);
  test::JobShape shape;
  shape.maxStockRows = 6;
  shape.maxStockCount = 6;  // stock often runs out on the way down
  shape.maxCutRows = 12;
  shape.maxCutCount = 12;
  int found = 0;
  for (int n = 0; n < kJobs; ++n) {
    const TJob job = test::RandomJob(random, shape);
    if (RefusalOf(job)) continue;
    for (const CuttingModel& model : ShortFirstCases(ModelOf(job))) {
      ClpLpSolver lp;
      const ColumnGeneration root = GenerateColumns(model, {}, lp, kNoHurry, [](double) {});
      if (!root.Converged || root.Infeasible) continue;
      for (DiveRounding rounding :
           {DiveRounding::Down, DiveRounding::DownOneUp, DiveRounding::LargestFirst}) {
        SCOPED_TRACE(testing::Message() << "job " << n << " rounding " << static_cast<int>(rounding));
        const DivePlan dive = Dive(model, root.Patterns, root.LpBars, rounding, 200, kNoHurry);
        if (dive.StockLength < 0) continue;
        ++found;
        ExpectSolves(model, dive.Patterns, dive.Bars, dive.StockLength);
        EXPECT_GE(static_cast<double>(dive.StockLength), root.LowerBound - 1e-6);
      }
    }
  }
  EXPECT_GT(found, kJobs / 2);
}

TEST(PackToTotal, FillsThePlantedBarsAndNothingLess) {
  for (uint64_t seed = 1; seed <= static_cast<uint64_t>(kJobs / 2); ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    const test::PlantedJob planted = test::MakePlantedJob(seed);
    const CuttingModel model = ModelOf(planted.Job);
    const int64_t optimum = int64_t{planted.Bars} * planted.StockLength;
    const std::optional<PackedPlan> packed = PackToTotal(model, optimum, 2'000'000, kNoHurry);
    if (packed) ExpectSolves(model, packed->Patterns, packed->Bars, optimum);
    // Less stock than the planted bars cannot hold the pieces.
    EXPECT_FALSE(PackToTotal(model, optimum - 1, 2'000'000, kNoHurry));
  }
}

// 20,001 pieces of 2001 mm, two to a bar of 6000 or 6001 mm: the least
// stock is 10,001 bars of 6000 mm. Totals of 60 km lie too far above zero to
// list their mixes of bars, which must not count as having none: the proof
// would then climb past the optimum to whatever plan it holds.
TEST(CloseCase, TotalsTooLargeToListRaiseNoBound) {
  CuttingModel model;
  model.Items = {{1, 2001, 20001}};
  for (const int32_t length : {6000, 6001}) {
    StockType type;
    type.Length = length;
    type.Capacity = length;
    type.OnHand = type.MaxBars = 20001;
    model.Types.push_back(type);
  }
  CaseSearch search(model);
  const Incumbent onePerBar{{{0, {1}}}, {20001}, int64_t{20001} * 6000};
  SearchBudget budget;
  budget.Dives = 0;
  budget.PackNodes = 0;
  ExploreCase(
      search, onePerBar, budget, kNoHurry, [](double) {}, [](int64_t) {});
  ASSERT_LT(search.Bound, 60'006'000);
  CloseCase(search, search.Best.StockLength, budget, kNoHurry, [](int64_t) {});
  EXPECT_LE(search.Bound, 60'006'000);
  EXPECT_LE(search.Bound, search.Best.StockLength);
}

class SilentObserver : public ExactObserver {
 public:
  void BetterPlan(double) override {}
  void BetterBound(double) override {}
};

TEST(PlanExact, FindsAndProvesPlantedOptima) {
  int proven = 0;
  for (uint64_t seed = 1; seed <= static_cast<uint64_t>(kJobs / 2); ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    const test::PlantedJob planted = test::MakePlantedJob(seed);
    SilentObserver observer;
    const ExactResult result = PlanExact(planted.Job, ExactLimits{}, observer);
    ASSERT_NE(result.Status, ExactStatus::NotFound);
    EXPECT_EQ(test::CheckPlan(planted.Job, result.Plan), "");
    const double optimum = static_cast<double>(planted.Bars) * planted.StockLength;
    EXPECT_GE(result.Plan.StockLength, optimum);  // no plan beats the planted one
    if (result.Status == ExactStatus::Proven) {
      EXPECT_EQ(result.Plan.StockLength, optimum);
      ++proven;
    }
  }
  EXPECT_GE(proven, kJobs / 2 - 1);
}

bool SamePlan(const TCutPlan& a, const TCutPlan& b) {
  if (a.PatternCount != b.PatternCount || a.StockLength != b.StockLength) return false;
  for (int32_t p = 1; p <= a.PatternCount; ++p) {
    const TCutPattern& x = a.Patterns[p];
    const TCutPattern& y = b.Patterns[p];
    if (x.StockRow != y.StockRow || x.BarCount != y.BarCount || x.PieceCount != y.PieceCount) return false;
  }
  return true;
}

// The cases and the reference run side by side: whatever the timing, an
// unstopped run gives the same plan, and a stopped one a valid plan that it
// calls proven only when it is the optimum.
TEST(PlanExact, ThreadsNeverChangeAResult) {
  // Short stock among long, so the two cases and the reference all run.
  const test::PlantedJob planted = test::MakePlantedJob(3);
  TJob job = planted.Job;
  job.StockTable[++job.StockCount] = {3000, 4, 0};
  SortStockTable(job);
  SilentObserver observer;
  const ExactResult first = PlanExact(job, ExactLimits{}, observer);
  ASSERT_EQ(first.Status, ExactStatus::Proven);
  test::JobRandom random(5);
  for (int run = 0; run < kJobs; ++run) {
    SCOPED_TRACE(testing::Message() << "run " << run);
    std::atomic<bool> stop{false};
    ExactLimits limits;
    limits.Stop = &stop;
    const bool stopped = run % 2 == 1;
    std::thread stopper([&] {
      if (!stopped) return;
      std::this_thread::sleep_for(std::chrono::microseconds(random.Between(0, 20000)));
      stop = true;
    });
    const ExactResult again = PlanExact(job, limits, observer);
    stopper.join();
    if (!stopped) {
      EXPECT_EQ(again.Status, first.Status);
      EXPECT_TRUE(SamePlan(again.Plan, first.Plan));
      EXPECT_EQ(again.WithoutShortFirst.has_value(), first.WithoutShortFirst.has_value());
      continue;
    }
    if (again.Plan.PatternCount > 0) {
      EXPECT_EQ(test::CheckPlan(job, again.Plan), "");
    }
    if (again.Status == ExactStatus::Proven) {
      EXPECT_EQ(again.Plan.StockLength, first.Plan.StockLength);
    }
  }
}

}  // namespace
}  // namespace yobina
