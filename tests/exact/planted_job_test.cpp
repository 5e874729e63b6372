#include "exact/planted_job.h"

#include <gtest/gtest.h>

#include <vector>

#include "exact/exact_planner.h"
#include "exact/plan_checker.h"

namespace yobina {
namespace {

struct Bars {
  int64_t Count = 0;
  int64_t Length = 0;  // total stock length
  bool OnlyPlanted = true;
};

// Every choice of on-hand bars whose total length is at most `most`, by
// enumeration: true when one other than K bars of L holds `weight`.
bool OtherChoiceHolds(const TJob& job, int32_t k, const test::PlantedJob& planted, int64_t most,
                      int64_t weight, Bars chosen) {
  if (k > job.StockCount) {
    const bool planted_choice = chosen.OnlyPlanted && chosen.Count == planted.Bars;
    return !planted_choice && chosen.Length + chosen.Count * (job.Margin + job.Kerf) >= weight;
  }
  const TLengthRow& row = job.StockTable[k];
  for (int32_t n = 0; n <= row.Count && chosen.Length + int64_t{n} * row.Length <= most; ++n) {
    Bars next{chosen.Count + n, chosen.Length + int64_t{n} * row.Length,
              chosen.OnlyPlanted && (n == 0 || row.Length == planted.StockLength)};
    if (OtherChoiceHolds(job, k + 1, planted, most, weight, next)) return true;
  }
  return false;
}

TEST(PlantedJob, OnlyThePlantedBarsHoldThePiecesWithinTheirLength) {
  for (const test::PlantedShape& shape :
       {test::PlantedShape{3, 20, 0, 5200}, test::PlantedShape{3, 30, 4, 2500}}) {
    const int32_t slack = shape.maxSlackPerBar;
    for (uint64_t seed = 1; seed <= 60; ++seed) {
      SCOPED_TRACE(testing::Message() << "slack " << slack << " seed " << seed);
      const test::PlantedJob planted = test::MakePlantedJob(seed, shape);
      const TJob& job = planted.Job;
      ASSERT_LE(job.CutCount, kGridDataRows);
      ASSERT_LE(job.StockCount, kGridDataRows);
      int64_t weight = 0;
      for (int32_t k = 1; k <= job.CutCount; ++k) {
        const TLengthRow& row = job.CutTable[k];
        EXPECT_TRUE(row.Length >= 250 && row.Length <= shape.maxPieceLength && row.Count > 0) << row.Length;
        if (k > 1) {
          EXPECT_LT(job.CutTable[k - 1].Length, row.Length);
        }
        weight += int64_t{row.Count} * (row.Length + job.Kerf);
      }
      const int64_t capacity = int64_t{planted.Bars} * (planted.StockLength + job.Margin + job.Kerf);
      EXPECT_LE(capacity - weight, int64_t{planted.Bars} * slack);
      ASSERT_GE(capacity, weight);
      for (int32_t k = 1; k <= job.StockCount; ++k) {
        EXPECT_GE(job.StockTable[k].Length, job.SmallStockLimit);
        if (job.StockTable[k].Length == planted.StockLength) {
          EXPECT_GE(job.StockTable[k].Count, planted.Bars);
        }
      }
      const int64_t most = int64_t{planted.Bars} * planted.StockLength;
      EXPECT_FALSE(OtherChoiceHolds(job, 1, planted, most, weight, {}));
    }
  }
}

class QuietObserver : public ExactObserver {
 public:
  void BetterPlan(double) override {}
  void BetterBound(double) override {}
};

TEST(PlantedJob, ThePlannerFindsAndProvesThePlantedOptimum) {
  for (uint64_t seed = 1; seed <= 4; ++seed) {
    SCOPED_TRACE(seed);
    const test::PlantedJob planted = test::MakePlantedJob(seed, {3, 5, static_cast<int32_t>(seed % 2) * 3});
    QuietObserver observer;
    const ExactResult result = PlanExact(planted.Job, {}, observer);
    ASSERT_EQ(result.Status, ExactStatus::Proven);
    EXPECT_EQ(test::CheckPlan(planted.Job, result.Plan), "");
    EXPECT_EQ(result.Plan.StockLength, static_cast<double>(planted.Bars) * planted.StockLength);
  }
}

}  // namespace
}  // namespace yobina
