// PlanExact on the largest job the input page allows (35 stock rows x 35 cut
// rows): once with the stock in whole 500 mm lengths, as bars are sold, and
// once with the optimizer bench's job as it is (stock lengths to the mm).
// With --realistic [DIR...] [--time-limit S] it runs the job files of the
// folders instead (bench/jobs/realistic and bench/jobs/planted by default).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>

#include "exact/exact_planner.h"
#include "exact/plan_checker.h"
#include "job_folder_run.h"
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
  TJob job = test::LargestInputJob(kJobSeed);
  if (roundStock) {
    for (int32_t k = 1; k <= job.StockCount; ++k) {
      job.StockTable[k].Length = (job.StockTable[k].Length + 250) / 500 * 500;
    }
    test::ExchangeSort(job.StockTable, job.StockCount);
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
      proven += PlanExact(test::ThirdsAndQuartersJob(seed), limits, observer).Status == ExactStatus::Proven;
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

// The arguments after --realistic; nullopt after a usage error.
std::optional<bench::FolderRunOptions> FolderRunArguments(int argc, char** argv) {
  bench::FolderRunOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--realistic") continue;
    if (argument == "--time-limit" && i + 1 < argc) {
      char* end = nullptr;
      options.TimeLimitSeconds = std::strtod(argv[++i], &end);
      if (*end != '\0' || !(options.TimeLimitSeconds > 0)) return std::nullopt;
    } else if (argument.starts_with("-")) {
      return std::nullopt;
    } else {
      options.Folders.emplace_back(argument);
    }
  }
  if (options.Folders.empty()) {
    options.Folders = {std::filesystem::path(YOBINA_BENCH_JOBS_DIR) / "realistic",
                       std::filesystem::path(YOBINA_BENCH_JOBS_DIR) / "planted"};
  }
  return options;
}

bool AskedForFolders(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--realistic") return true;
  }
  return false;
}

}  // namespace
}  // namespace yobina

int main(int argc, char** argv) {
  if (yobina::AskedForFolders(argc, argv)) {
    const auto options = yobina::FolderRunArguments(argc, argv);
    if (!options) {
      std::fputs("usage: bench_exact --realistic [DIR...] [--time-limit S]\n", stderr);
      return 2;
    }
    return yobina::bench::RunJobFolders(*options, stdout);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
