// Plans a generated building of 300 sections and 10,000 parts as the batch
// program's --project does, and prints the time, the proven share and the totals.
//
//   bench_project [--max-lengths K] [--time-limit S] [--threads N] [--seed N]
//                 [--parts FILE] [--out DIR]
// --parts writes the generated parts list, --out the output folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "building_parts.h"
#include "file/atomic_file.h"
#include "project/building_folder.h"
#include "project/project_outputs.h"
#include "project/project_planner.h"
#include "project/section_store.h"
#include "text/codec.h"

namespace {

struct Options {
  int32_t MaxLengths = 0;
  double Seconds = 10;
  int32_t Threads = 0;
  uint64_t Seed = 21;
  std::string PartsFile;
  std::string OutFolder;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--max-lengths" && hasValue) {
      options.MaxLengths = std::atoi(argv[++i]);
    } else if (argument == "--time-limit" && hasValue) {
      options.Seconds = std::atof(argv[++i]);
    } else if (argument == "--threads" && hasValue) {
      options.Threads = std::atoi(argv[++i]);
    } else if (argument == "--seed" && hasValue) {
      options.Seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (argument == "--parts" && hasValue) {
      options.PartsFile = argv[++i];
    } else if (argument == "--out" && hasValue) {
      options.OutFolder = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: bench_project [--max-lengths K] [--time-limit S] [--threads N] [--seed N] "
                   "[--parts FILE] [--out DIR]\n");
      return false;
    }
  }
  return true;
}

// Counts the sections as they finish, with a dot every ten, and keeps their results.
class Progress : public yobina::ProjectObserver {
 public:
  explicit Progress(yobina::SectionStore& store) : store_(store) {}
  void SectionStarted(size_t) override {}
  void SectionFinished(size_t section, const yobina::SectionResult& result) override {
    store_.Put(section, result);
    const std::lock_guard<std::mutex> lock(mutex_);
    if (++done_ % 10 == 0) std::fputc('.', stderr);
  }

 private:
  yobina::SectionStore& store_;
  std::mutex mutex_;
  int32_t done_ = 0;
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace yobina;
  Options options;
  if (!ParseOptions(argc, argv, options)) return 2;

  const auto start = std::chrono::steady_clock::now();
  const std::string parts = bench::MakeBuildingPartsCsv(options.Seed, bench::BuildingShape{});
  if (!options.PartsFile.empty()) WriteFileAtomically(options.PartsFile, parts);
  ProjectSettings settings;
  settings.ProjectName = Cp932("ベンチマーク棟");
  settings.MaxLengths = options.MaxLengths;
  settings.SectionSeconds = options.Seconds;
  ProjectInput input = ReadProject(parts, std::nullopt, std::nullopt, settings);
  if (!input.Ready) {
    for (const LineIssue& issue : input.Issues)
      std::fprintf(stderr, "%s\n", Cp932ToUtf8(IssueText(issue)).c_str());
    return 1;
  }
  const double readSeconds = Seconds(start);

  SectionStore store(std::filesystem::temp_directory_path(), input.Sections.size());
  Progress progress(store);
  PlanningLimits limits;
  limits.Threads = options.Threads;
  const ProjectResult result = PlanProject(std::move(input), limits, progress);
  std::fputc('\n', stderr);

  const auto outputsStart = std::chrono::steady_clock::now();
  if (!options.OutFolder.empty()) {
    BuildingFolder folder(options.OutFolder);
    WriteBuildingFiles(
        result, [&store](size_t section) { return store.Get(section); }, folder, {}, nullptr);
    folder.Commit();
  }
  const double outputSeconds = Seconds(outputsStart);

  int32_t planned = 0, stockProven = 0, costProven = 0, capped = 0, jobFiles = 0;
  int64_t plans = 0;
  std::vector<std::pair<double, size_t>> slowest;
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    const SectionSummary& section = result.Sections[s];
    planned += section.HasPlan();
    stockProven += section.HasPlan() && section.Proof == ExactStatus::Proven;
    costProven += section.HasPlan() && section.CostProven;
    capped += section.Seconds >= options.Seconds * 0.99;
    jobFiles += HasJobFile(result, s);
    plans += section.PlansMade;
    slowest.emplace_back(section.Seconds, s);
  }
  std::sort(slowest.rbegin(), slowest.rend());
  const auto sections = static_cast<double>(result.Sections.size());
  const PurchaseTotals totals = TotalsOf(result);
  int64_t stockMm = 0;
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    if (result.Sections[s].HasPlan()) stockMm += FiguresOf(result, s).StockMm;
  }

  std::printf("building: %zu sections, seed %llu, max lengths %d, cap %.1f s a section\n",
              result.Sections.size(), static_cast<unsigned long long>(options.Seed), options.MaxLengths,
              options.Seconds);
  std::printf("time: %.2f s planning (%.2f s reading, %.2f s outputs), %lld plans made\n", result.Seconds,
              readSeconds, outputSeconds, static_cast<long long>(plans));
  std::printf(
      "planned %d, stock proven %d (%.1f %%), purchase proven %d (%.1f %%), at the cap %d, job files %d\n",
      planned, stockProven, 100.0 * stockProven / sections, costProven, 100.0 * costProven / sections, capped,
      jobFiles);
  std::printf("totals: %lld bars, %.3f t, %.3f m of stock\n", static_cast<long long>(totals.Bars),
              totals.WeightKg ? static_cast<double>(*totals.WeightKg) / 1000 : 0.0,
              static_cast<double>(stockMm) / 1000);
  std::printf("slowest:");
  for (size_t i = 0; i < std::min<size_t>(5, slowest.size()); ++i) {
    const auto& [seconds, s] = slowest[i];
    std::printf(" %s %.2f s (%zu lengths);", Cp932ToUtf8(result.Input.Sections[s].Name).c_str(), seconds,
                result.Input.Sections[s].Cuts.size());
  }
  std::printf("\n");
  return 0;
}
