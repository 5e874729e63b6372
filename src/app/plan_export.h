// The plan for other programs: CSV for spreadsheets and saw controllers, JSON
// for scripts. Both are UTF-8; `job` holds the sorted tables the plan was made from.
#pragma once

#include <optional>
#include <string>

#include "job/input_page.h"
#include "job/job.h"
#include "optimizer/cut_plan.h"

namespace yobina {

// What the optimal planner adds to its plan: whether it proved the plan
// optimal, the lower bound on the loss rate (percent) and the gap between the
// plan's and the bound's stock length (m).
struct PlanProof {
  bool Proven = false;
  double BoundLossRate = 0;
  double GapMeters = 0;
  // The saw set-ups: the plan's patterns, the least any plan of its stock
  // could have (0: not known), and whether the count is proven least.
  int32_t Patterns = 0;
  int32_t PatternsLowerBound = 0;
  bool PatternsProven = false;
};

// A UTF-8 byte-order mark, then CR LF lines: a heading row; one row per
// pattern in the report's order (pattern number, stock length, bar count, the
// pieces of every cut row per bar, leftover per bar); then the totals row,
// whose stock and leftover cells hold the total lengths and whose other cells
// the totals of bars and pieces. Lengths in mm.
std::string PlanCsv(const TJob& job, const TCutPlan& plan);

// One JSON object with the job's names, the patterns, the totals and, when
// given, the proof; ends with a line feed. Keys are described in the README.
std::string PlanJson(const InputPage& page, const TJob& job, const TCutPlan& plan,
                     const std::optional<PlanProof>& proof);

}  // namespace yobina
