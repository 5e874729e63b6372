// The plan for other programs: CSV for spreadsheets and saw controllers, JSON
// for scripts. Both are UTF-8 and read only the result: the tables the plan
// was made from and the names of the job as planned.
#pragma once

#include <string>

#include "plan/plan_result.h"

namespace yobina {

// A UTF-8 byte-order mark, then CR LF lines: a heading row; one row per
// pattern in the report's order (pattern number, stock length, bar count, the
// pieces of every cut row per bar, leftover per bar); then the totals row,
// whose stock and leftover cells hold the total lengths and whose other cells
// the totals of bars and pieces. Lengths in mm.
std::string PlanCsv(const PlanResult& result);

// One JSON object with the job's names, the patterns, the totals and, for a
// plan of the optimal planner, the proof; ends with a line feed. Keys are
// described in the README.
std::string PlanJson(const PlanResult& result);

}  // namespace yobina
