#include "project/project_planner.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <mutex>
#include <new>
#include <numeric>
#include <thread>
#include <vector>

#include "project/section_planner.h"
#include "text/codec.h"

namespace yobina {
namespace {

// Rough work of a section, so that the long ones do not come last.
int64_t WorkOf(const SectionInput& section) {
  return static_cast<int64_t>(section.Cuts.size()) * static_cast<int64_t>(section.Lengths.size() + 1) *
         std::min<int64_t>(section.Pieces(), 1000);
}

}  // namespace

SectionSummary SummaryOf(const SectionResult& result) {
  SectionSummary summary;
  summary.Status = result.Status;
  summary.Proof = result.Exact.Status;
  summary.PatternCount = result.Exact.Plan.PatternCount;
  summary.LossRate = result.Exact.Plan.LossRate;
  summary.GapMeters = result.Exact.GapMeters;
  summary.CutRows = result.Job.CutCount;
  summary.StockRows = result.Job.StockCount;
  summary.Purchase = result.Purchase;
  summary.CostProven = result.CostProven;
  summary.Notes = result.Notes;
  summary.PlansMade = result.PlansMade;
  summary.Seconds = result.Seconds;
  return summary;
}

ProjectResult PlanProject(ProjectInput input, const PlanningLimits& limits, ProjectObserver& observer) {
  const auto start = std::chrono::steady_clock::now();
  ProjectResult result;
  result.Input = std::move(input);
  const std::vector<SectionInput>& sections = result.Input.Sections;
  const ProjectSettings& settings = result.Input.Settings;
  result.Sections.resize(sections.size());

  std::vector<size_t> order(sections.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return WorkOf(sections[a]) > WorkOf(sections[b]); });

  const auto stopped = [&] { return limits.Stop != nullptr && limits.Stop->load(); };
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  std::mutex failureMutex;
  std::exception_ptr failure;
  const auto fail = [&] {
    const std::lock_guard<std::mutex> lock(failureMutex);
    if (!failure) failure = std::current_exception();
    failed = true;
  };
  const auto work = [&] {
    for (size_t at = next++; at < order.size(); at = next++) {
      const size_t s = order[at];
      if (stopped() || failed) continue;  // the summary says Stopped
      observer.SectionStarted(s);
      SectionResult section;
      try {
        section = PlanSection(sections[s], settings.MaxLengths, settings.SectionSeconds, limits.Stop);
      } catch (const std::bad_alloc&) {
        section = SectionResult{};
        section.Status = SectionStatus::Refused;
        section.Notes.push_back(Cp932("メモリが足りません。"));
      } catch (...) {
        fail();  // thrown on once every thread is done
        section = SectionResult{};
      }
      // Only the summary stays: the observer keeps the full result where it wants it.
      result.Sections[s] = SummaryOf(section);
      try {
        observer.SectionFinished(s, section);
      } catch (...) {
        fail();
      }
    }
  };
  const size_t cores = std::max(1U, std::thread::hardware_concurrency());
  const size_t workers = std::min(limits.Threads > 0 ? static_cast<size_t>(limits.Threads) : cores,
                                  std::max<size_t>(order.size(), 1));
  std::vector<std::thread> threads;
  for (size_t w = 1; w < workers; ++w) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);

  result.Stopped = stopped();
  result.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

}  // namespace yobina
