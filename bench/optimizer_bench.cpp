// RunTrials(500) and RunTrials(2000) on the largest job the input page
// allows, for the product and for the plain reference version; prints the
// speed-ups and checks that both give the same plans.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "optimizer/optimizer.h"
#include "optimizer/random_job.h"
#include "optimizer/reference_optimizer.h"

namespace yobina {
namespace {

constexpr int32_t kTrialCounts[] = {500, 2000};
constexpr uint64_t kJobSeed = 20260;

class CountingProgress : public TrialProgress {
 public:
  void ReportTrialProgress(double lossRate, int32_t, double) override { lossRates.push_back(lossRate); }
  void YieldToWindow() override {}
  std::vector<double> lossRates;
};

template <class T>
void RunTrials(benchmark::State& state) {
  const TJob job = testing::LargestInputJob(kJobSeed);
  const auto trials = static_cast<int32_t>(state.range(0));
  T optimizer;
  for (auto _ : state) {
    TJob work = job;
    CountingProgress progress;
    optimizer.RunTrials(work, trials, progress);
    benchmark::DoNotOptimize(optimizer.BestPlan().LossRate);
  }
  state.counters["LossRate"] = optimizer.BestPlan().LossRate;
  state.counters["Patterns"] = optimizer.BestPlan().PatternCount;
}

BENCHMARK(RunTrials<Optimizer>)
    ->Name("RunTrials/product")
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RunTrials<testing::ReferenceOptimizer>)
    ->Name("RunTrials/reference")
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);

// Keeps each benchmark's least CPU time per iteration for the closing lines:
// on a machine shared with other work, real time measures the neighbours,
// and the fastest repetition is the one they disturbed least.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.run_name.function_name + "/" + run.run_name.args;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min") {
        fastest[name] = run.GetAdjustedCPUTime();
      } else if (run.run_type == Run::RT_Iteration) {
        times[name] = run.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // Least CPU time per iteration of each benchmark over its repetitions (the last run when not repeated).
  double Time(const std::string& name) const {
    const auto least = fastest.find(name);
    if (least != fastest.end()) return least->second;
    const auto last = times.find(name);
    return last != times.end() ? last->second : 0;
  }

 private:
  std::map<std::string, double> times;
  std::map<std::string, double> fastest;
};

// Both versions must produce the same plan and progress reports bit for bit.
bool SameResult(int32_t trials) {
  const TJob job = testing::LargestInputJob(kJobSeed);
  TJob fastJob = job;
  TJob plainJob = job;
  Optimizer fast;
  testing::ReferenceOptimizer plain;
  CountingProgress fastProgress;
  CountingProgress plainProgress;
  fast.RunTrials(fastJob, trials, fastProgress);
  plain.RunTrials(plainJob, trials, plainProgress);
  const TCutPlan& a = fast.BestPlan();
  const TCutPlan& b = plain.BestPlan();
  bool same = a.PatternCount == b.PatternCount && fast.Seed() == plain.Seed() &&
              std::memcmp(&a.LossRate, &b.LossRate, sizeof a.LossRate) == 0 &&
              std::memcmp(&a.StockLength, &b.StockLength, sizeof a.StockLength) == 0 &&
              fastProgress.lossRates.size() == plainProgress.lossRates.size() &&
              std::memcmp(fastProgress.lossRates.data(), plainProgress.lossRates.data(),
                          fastProgress.lossRates.size() * sizeof(double)) == 0;
  for (int32_t i = 1; same && i <= a.PatternCount; ++i) {
    same = a.Patterns[i].StockRow == b.Patterns[i].StockRow &&
           a.Patterns[i].BarCount == b.Patterns[i].BarCount &&
           a.Patterns[i].PieceCount == b.Patterns[i].PieceCount;
  }
  std::printf(
      "Largest job, %d trials: %d stock rows, %d cut rows, margin %d, kerf %d; best loss rate %.3f %% with "
      "%d patterns\n",
      trials, job.StockCount, job.CutCount, job.Margin, job.Kerf, a.LossRate, a.PatternCount);
  std::printf("Product and reference results: %s\n", same ? "identical" : "DIFFERENT");
  return same;
}

}  // namespace
}  // namespace yobina

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bool same = true;
  for (const int32_t trials : yobina::kTrialCounts) same = yobina::SameResult(trials) && same;
  yobina::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const int32_t trials : yobina::kTrialCounts) {
    const double product = reporter.Time("RunTrials/product/" + std::to_string(trials));
    const double reference = reporter.Time("RunTrials/reference/" + std::to_string(trials));
    if (product > 0 && reference > 0) {
      std::printf("%d trials: product %.1f ms, reference %.1f ms (CPU time): the product is %.1fx faster\n",
                  trials, product, reference, reference / product);
    }
  }
  benchmark::Shutdown();
  return same ? 0 : 1;
}
