#include "job_folder_run.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cmath>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "app/optimal_planner.h"
#include "bench_job_files.h"
#include "exact/exact_planner.h"
#include "exact/plan_checker.h"
#include "file/data_file.h"
#include "job/job_io.h"

namespace yobina::bench {
namespace {

struct JobRun {
  std::string Name;
  std::optional<ExactStatus> Status;  // none when the file could not be planned
  int64_t Bars = 0;
  int32_t Patterns = 0;
  double StockMeters = 0;
  double GapMeters = 0;
  double Seconds = 0;
  // Bars under the small-stock limit on hand: the planner then also seeks the
  // plan without the short-first rule, in the time left after the proof.
  bool ShortStock = false;
  std::optional<PlantedOptimum> Planted;
  bool ReachedOptimum = false;
  std::string Fault;  // what went wrong: an unreadable file, a plan that breaks a rule
};

const char* StatusName(const std::optional<ExactStatus>& status) {
  if (!status) return "failed";
  switch (*status) {
    case ExactStatus::Proven:
      return "proven";
    case ExactStatus::Unproven:
      return "unproven";
    case ExactStatus::NoPlan:
      return "none";
    case ExactStatus::NotFound:
      return "not-found";
    case ExactStatus::Refused:
      return "refused";
  }
  return "?";
}

// The optimal planner's outcome in its own words.
ExactStatus StatusOf(const PlanResult& result) {
  switch (result.Status) {
    case PlanStatus::Planned:
      return OptimalMethodOf(result)->Proven ? ExactStatus::Proven : ExactStatus::Unproven;
    case PlanStatus::NoPlan:
      return ExactStatus::NoPlan;
    case PlanStatus::Refused:
      return ExactStatus::Refused;
    case PlanStatus::NotFound:
      break;
  }
  return ExactStatus::NotFound;
}

void Plan(const std::filesystem::path& file, double timeLimitSeconds, JobRun& run) {
  JobDocument document;
  if (LoadDataFile(document, file) != LoadResult::Loaded) {
    run.Fault = "not a job file";
    return;
  }
  run.Planted = PlantedOptimumOf(document.ProjectName);
  PlanProgress quiet;
  const StopToken stop;
  const auto start = std::chrono::steady_clock::now();
  const auto result = std::make_unique<PlanResult>(
      OptimalPlanner(timeLimitSeconds).MakePlan(Normalized(document), quiet, stop));
  run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.Status = StatusOf(*result);
  const TJob& job = result->Plan.Job();
  for (int32_t k = 1; k <= job.StockCount; ++k) {
    run.ShortStock = run.ShortStock || (job.StockTable[k].Count > 0 && job.StockTable[k].Length > 0 &&
                                        job.StockTable[k].Length < job.SmallStockLimit);
  }
  if (result->Status != PlanStatus::Planned) return;
  const yobina::Plan& plan = result->Plan;
  for (int32_t p = 1; p <= plan.PatternCount(); ++p) run.Bars += plan.Pattern(p).BarCount;
  run.Patterns = plan.PatternCount();
  run.StockMeters = plan.Cuts().StockLength / 1000;
  run.GapMeters = OptimalMethodOf(*result)->GapMeters;
  run.Fault = test::CheckPlan(plan.Job(), plan.Cuts());
  if (run.Planted) {
    run.ReachedOptimum =
        run.Bars == run.Planted->Bars &&
        plan.Cuts().StockLength == static_cast<double>(run.Planted->Bars) * run.Planted->StockLength;
    if (run.Fault.empty() && run.Status == ExactStatus::Proven && !run.ReachedOptimum) {
      run.Fault = "proven, yet not the planted optimum";
    }
  }
}

JobRun RunJob(const std::filesystem::path& file, double timeLimitSeconds) {
  JobRun run;
  run.Name = file.filename().string();
  try {
    Plan(file, timeLimitSeconds, run);
  } catch (const std::exception& error) {
    run.Status.reset();
    run.Fault = error.what();
  }
  return run;
}

void PrintRun(const JobRun& run, std::FILE* out) {
  std::fprintf(out, "%-12s %-9s %-5s %6lld %8d %10.3f %8.3f %8.3f", run.Name.c_str(), StatusName(run.Status),
               run.ShortStock ? "yes" : "no", static_cast<long long>(run.Bars), run.Patterns, run.StockMeters,
               run.GapMeters, run.Seconds);
  if (run.Planted) {
    std::fprintf(out, "  optimum %d x %d: %s", run.Planted->Bars, run.Planted->StockLength,
                 run.ReachedOptimum ? "reached" : "missed");
  }
  if (!run.Fault.empty()) std::fprintf(out, "  FAULT: %s", run.Fault.c_str());
  std::fputc('\n', out);
  std::fflush(out);
}

// The value at or below which `percent` of the sorted times lie (nearest rank).
double Percentile(const std::vector<double>& sorted, double percent) {
  const auto rank = static_cast<std::size_t>(std::ceil(percent / 100 * static_cast<double>(sorted.size())));
  return sorted[std::max<std::size_t>(rank, 1) - 1];
}

double Median(const std::vector<double>& sorted) {
  const std::size_t n = sorted.size();
  return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

std::vector<double> SortedSeconds(const std::vector<JobRun>& runs, bool (*counts)(const JobRun&)) {
  std::vector<double> seconds;
  for (const JobRun& run : runs) {
    if (counts(run)) seconds.push_back(run.Seconds);
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds;
}

int CountOf(const std::vector<JobRun>& runs, bool (*counts)(const JobRun&)) {
  return static_cast<int>(std::count_if(runs.begin(), runs.end(), counts));
}

void PrintStatusCounts(const std::vector<JobRun>& runs, std::FILE* out) {
  std::array<int, 5> byStatus{};  // in ExactStatus order
  for (const JobRun& run : runs) {
    if (run.Status) ++byStatus[static_cast<std::size_t>(*run.Status)];
  }
  const int failed = CountOf(runs, [](const JobRun& run) { return !run.Status; });
  std::fprintf(out, "proven %d (%.1f %%), unproven %d, none %d, not found %d, refused %d, failed %d\n",
               byStatus[0], 100.0 * byStatus[0] / static_cast<double>(runs.size()), byStatus[1], byStatus[2],
               byStatus[3], byStatus[4], failed);
}

void PrintTimes(const std::vector<JobRun>& runs, std::FILE* out) {
  const std::vector<double> seconds =
      SortedSeconds(runs, [](const JobRun& run) { return run.Status.has_value(); });
  if (seconds.empty()) return;
  const auto slowest = std::max_element(
      runs.begin(), runs.end(), [](const JobRun& a, const JobRun& b) { return a.Seconds < b.Seconds; });
  double total = 0;
  for (double s : seconds) total += s;
  std::fprintf(out, "seconds: median %.3f, 90th percentile %.3f, slowest %.3f (%s), all %.1f\n",
               Median(seconds), Percentile(seconds, 90), slowest->Seconds, slowest->Name.c_str(), total);
  constexpr std::array<double, 5> kUpTo{0.1, 0.3, 1, 3, 10};
  std::array<int, kUpTo.size() + 1> spread{};
  for (double s : seconds) {
    ++spread[static_cast<std::size_t>(std::lower_bound(kUpTo.begin(), kUpTo.end(), s) - kUpTo.begin())];
  }
  for (std::size_t b = 0; b < spread.size(); ++b) {
    std::fprintf(out, "  %s %-4g s %4d  ", b < kUpTo.size() ? "<=" : "> ",
                 kUpTo[std::min(b, kUpTo.size() - 1)], spread[b]);
    const auto width = std::lround(50.0 * spread[b] / static_cast<double>(seconds.size()));
    for (long i = 0; i < width; ++i) std::fputc('#', out);
    std::fputc('\n', out);
  }
}

// Jobs with short stock spend the time after the proof on the plan without the rule.
void PrintShortStockSplit(const std::vector<JobRun>& runs, std::FILE* out) {
  const auto withShort = [](const JobRun& run) { return run.Status && run.ShortStock; };
  const auto withoutShort = [](const JobRun& run) { return run.Status && !run.ShortStock; };
  const auto provenWithShort = [](const JobRun& run) {
    return run.ShortStock && run.Status == ExactStatus::Proven;
  };
  const auto provenWithout = [](const JobRun& run) {
    return !run.ShortStock && run.Status == ExactStatus::Proven;
  };
  const std::vector<double> shortSeconds = SortedSeconds(runs, withShort);
  const std::vector<double> otherSeconds = SortedSeconds(runs, withoutShort);
  if (shortSeconds.empty() || otherSeconds.empty()) return;
  std::fprintf(
      out, "with short stock %d jobs, proven %d, median %.3f s; without %d jobs, proven %d, median %.3f s\n",
      CountOf(runs, withShort), CountOf(runs, provenWithShort), Median(shortSeconds),
      CountOf(runs, withoutShort), CountOf(runs, provenWithout), Median(otherSeconds));
}

void PrintPlanted(const std::vector<JobRun>& runs, std::FILE* out) {
  const int planted = CountOf(runs, [](const JobRun& run) { return run.Planted.has_value(); });
  if (planted == 0) return;
  const int reached = CountOf(runs, [](const JobRun& run) { return run.Planted && run.ReachedOptimum; });
  const int proven = CountOf(runs, [](const JobRun& run) {
    return run.Planted && run.ReachedOptimum && run.Status == ExactStatus::Proven;
  });
  std::fprintf(out, "planted optimum reached %d of %d, reached and proven %d of %d\n", reached, planted,
               proven, planted);
}

void PrintSummary(const std::string& folder, const std::vector<JobRun>& runs, std::FILE* out) {
  std::fprintf(out, "== %s: %zu jobs\n", folder.c_str(), runs.size());
  if (runs.empty()) return;
  PrintStatusCounts(runs, out);
  PrintTimes(runs, out);
  PrintShortStockSplit(runs, out);
  PrintPlanted(runs, out);
}

std::vector<std::filesystem::path> JobFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (entry.is_regular_file() && extension == ".qzl") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int RunJobFolders(const FolderRunOptions& options, std::FILE* out) {
  bool sound = true;
  for (const std::filesystem::path& folder : options.Folders) {
    std::vector<std::filesystem::path> files;
    try {
      files = JobFilesIn(folder);
    } catch (const std::filesystem::filesystem_error& error) {
      std::fprintf(out, "%s\n", error.what());
      sound = false;
      continue;
    }
    std::fprintf(out, "== %s, time limit %g s\n%-12s %-9s %-5s %6s %8s %10s %8s %8s\n", folder.c_str(),
                 options.TimeLimitSeconds, "job", "status", "short", "bars", "patterns", "stock m", "gap m",
                 "seconds");
    std::vector<JobRun> runs;
    for (const std::filesystem::path& file : files) {
      runs.push_back(RunJob(file, options.TimeLimitSeconds));
      PrintRun(runs.back(), out);
      sound = sound && runs.back().Fault.empty();
    }
    PrintSummary(folder.string(), runs, out);
  }
  return sound ? 0 : 1;
}

}  // namespace yobina::bench
