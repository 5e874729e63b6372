// PlanExact on the largest job the input page allows (35 stock rows x 35 cut
// rows): once with the stock in whole 500 mm lengths, as bars are sold, and
// once with the optimizer bench's job as it is (stock lengths to the mm).
#include <benchmark/benchmark.h>

#include "exact/exact_planner.h"
#include "exact/plan_checker.h"
#include "optimizer/random_job.h"

namespace yobina {
namespace {

constexpr uint64_t kJobSeed = 20260;
constexpr double kTimeLimitSeconds = 10;

class QuietObserver : public ExactObserver {
 public:
  void BetterPlan(double) override {}
  void BetterBound(double) override {}
};

TJob LargestJob(bool roundStock) {
  TJob job = testing::LargestInputJob(kJobSeed);
  if (roundStock) {
    for (int32_t k = 1; k <= job.StockCount; ++k) {
      job.StockTable[k].Length = (job.StockTable[k].Length + 250) / 500 * 500;
    }
    testing::ExchangeSort(job.StockTable, job.StockCount);
  }
  return job;
}

void PlanLargestJob(benchmark::State& state, bool roundStock) {
  const TJob job = LargestJob(roundStock);
  ExactLimits limits;
  limits.TimeLimitSeconds = kTimeLimitSeconds;
  ExactResult result;
  for (auto _ : state) {
    QuietObserver observer;
    result = PlanExact(job, limits, observer);
  }
  state.counters["Proven"] = result.Status == ExactStatus::Proven;
  state.counters["LossRate"] = result.Plan.LossRate;
  state.counters["BoundLossRate"] = result.BoundLossRate;
  state.counters["GapMeters"] = result.GapMeters;
}

// Hard jobs of bin-packing kind: one bar length, pieces of a quarter to a third of it.
void PlanHardJobs(benchmark::State& state) {
  ExactLimits limits;
  limits.TimeLimitSeconds = kTimeLimitSeconds;
  int proven = 0;
  int jobs = 0;
  for (auto _ : state) {
    for (uint64_t seed = 1; seed <= 20; ++seed) {
      QuietObserver observer;
      proven +=
          PlanExact(testing::ThirdsAndQuartersJob(seed), limits, observer).Status == ExactStatus::Proven;
      ++jobs;
    }
  }
  state.counters["ProvenShare"] = static_cast<double>(proven) / jobs;
}

BENCHMARK(PlanHardJobs)
    ->Name("PlanExact/20_thirds_and_quarters_jobs")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(PlanLargestJob, stock_in_500mm, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(PlanLargestJob, stock_to_the_mm, false)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace yobina

BENCHMARK_MAIN();
