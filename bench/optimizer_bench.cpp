// RunTrials(500) and RunTrials(2000) on the largest job the input page
// allows, for the product and for the plain reference version; prints the
// speed-ups and checks that both give the same plans.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
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
  std::vector<double> lossRates;
};

template <class T>
void RunTrials(benchmark::State& state) {
  const TJob job = test::LargestInputJob(kJobSeed);
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
BENCHMARK(RunTrials<test::ReferenceOptimizer>)
    ->Name("RunTrials/reference")
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);

// Jobs whose attempts place billions of pieces, which the product places in
// one step: 1 mm pieces that fill a two-billion-mm bar exactly, and pieces
// that each add free length through a negative kerf.
void RunOddJobs(benchmark::State& state) {
  TJob job;
  job.StockCount = 1;
  job.CutCount = 1;
  job.CutTable[1] = {1, 2000000000, 0};
  if (state.range(0) == 0) {
    job.StockTable[1] = {2000000000, 1, 0};
  } else {
    job.StockTable[1] = {6000, 10, 0};
    job.Kerf = -10;
  }
  Optimizer optimizer;
  for (auto _ : state) {
    TJob work = job;
    CountingProgress progress;
    optimizer.RunTrials(work, 10, progress);
    benchmark::DoNotOptimize(optimizer.BestPlan().LossRate);
  }
}
BENCHMARK(RunOddJobs)->Name("RunTrials/odd_jobs")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// CPU time of one Run, in milliseconds.
template <class T>
double RunMilliseconds(const TJob& job, int32_t trials) {
  T optimizer;
  TJob work = job;
  CountingProgress progress;
  timespec start{};
  timespec end{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
  optimizer.RunTrials(work, trials, progress);
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
  return static_cast<double>(end.tv_sec - start.tv_sec) * 1e3 +
         static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
}

// The speed-up from Runs of both versions taken in turn, the least time of
// each: on a machine shared with other work a slow spell then falls on both
// alike, and the fastest Run is the one the neighbours disturbed least.
void PrintSpeedUp(int32_t trials, int32_t rounds) {
  const TJob job = test::LargestInputJob(kJobSeed);
  double product = 1e300;
  double reference = 1e300;
  for (int32_t round = 0; round < rounds; ++round) {
    product = std::min(product, RunMilliseconds<Optimizer>(job, trials));
    reference = std::min(reference, RunMilliseconds<test::ReferenceOptimizer>(job, trials));
  }
  std::printf(
      "%d trials: product %.1f ms, reference %.1f ms (CPU time, least of %d in turn): the product is %.1fx "
      "faster\n",
      trials, product, reference, rounds, reference / product);
}

// Both versions must produce the same plan and progress reports bit for bit.
bool SameResult(int32_t trials) {
  const TJob job = test::LargestInputJob(kJobSeed);
  TJob fastJob = job;
  TJob plainJob = job;
  Optimizer fast;
  test::ReferenceOptimizer plain;
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
  benchmark::RunSpecifiedBenchmarks();
  yobina::PrintSpeedUp(500, 9);
  yobina::PrintSpeedUp(2000, 3);
  benchmark::Shutdown();
  return same ? 0 : 1;
}
