// What planning a building gives: per section the chosen plan over its own
// tables, what to buy, and how far the result is proven. Plain values, so the
// outputs, a print renderer and a window read the same figures. A building
// keeps only each section's summary; the full results go to a SectionStore as
// they are done, so that memory follows the largest section, not their number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exact/exact_planner.h"
#include "job/job.h"
#include "project/project_input.h"

namespace yobina {

enum class SectionStatus {
  Planned,   // a plan; Exact.Status says whether its stock is proven least
  NoPlan,    // no plan exists with the lengths allowed
  NotFound,  // the time cap ended the work before any plan was found
  Refused,   // the section cannot be planned as one job; Notes say why
  Stopped    // the stop came first; a plan found before it may be kept
};

struct PurchaseLine {
  int32_t Length = 0;               // mm
  int32_t Bought = 0;               // bars to buy
  int32_t FromStock = 0;            // bars on hand the plan cuts
  std::optional<int64_t> WeightKg;  // of the bars bought, to the whole kg; none without a unit weight
  std::optional<int64_t> Yen;       // of the bars bought, to the whole yen; none without a price
};

// SectionStore writes every field: a field added here is added there too.
struct SectionResult {
  SectionStatus Status = SectionStatus::Stopped;
  // The optimal planner's result for the chosen lengths. With a plan, its
  // patterns' stock rows are rows of Job.
  ExactResult Exact;
  // The sorted tables the plan reads as a job: the cut rows, and one stock row
  // a length with the bars the plan cuts (on hand and bought).
  TJob Job;
  std::vector<PurchaseLine> Purchase;  // a line a length the plan cuts, ascending
  // No purchase of at most MaxLengths lengths (and the bars on hand) costs
  // less, or uses less stock where the section is not priced.
  bool CostProven = false;
  std::vector<std::string> Notes;  // code page 932: refusals, and why the purchase is not proven
  int32_t PlansMade = 0;           // calls of the optimal planner
  double Seconds = 0;

  bool HasPlan() const { return Exact.Plan.PatternCount > 0; }
};

// What the purchase list, the summary and the window's table read of a section.
struct SectionSummary {
  SectionStatus Status = SectionStatus::Stopped;
  ExactStatus Proof = ExactStatus::NotFound;  // the plan's Exact.Status
  int32_t PatternCount = 0;                   // 0: no plan
  double LossRate = 0;                        // percent, of the plan
  double GapMeters = 0;
  int32_t CutRows = 0;  // of the job the plan reads
  int32_t StockRows = 0;
  std::vector<PurchaseLine> Purchase;
  bool CostProven = false;
  std::vector<std::string> Notes;
  int32_t PlansMade = 0;
  double Seconds = 0;

  bool HasPlan() const { return PatternCount > 0; }
};

SectionSummary SummaryOf(const SectionResult& result);

struct ProjectResult {
  ProjectInput Input;                    // as planned
  std::vector<SectionSummary> Sections;  // by index of Input.Sections
  bool Stopped = false;                  // the stop ended the planning early
  double Seconds = 0;
};

}  // namespace yobina
