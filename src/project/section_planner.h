// One section planned as one job: the parts are its cut rows, the lengths it
// may buy are stock rows that never run short, the bars on hand are stock rows
// of their count. The optimal planner gives the plan of least stock; the
// section's cost follows from the bars bought.
//
// With at most K different lengths bought (maxLengths):
//  - K = 1 or 2: every set of K lengths whose longest holds the longest part
//    (K = 2 also single lengths where prices are not proportional to length) is
//    planned, and the cheapest taken (ties: fewer bars, then shorter lengths).
//    Proven when every plan is, and least stock is least cost (or K = 1, where
//    least stock is also fewest bars).
//  - K >= 3 or any number: every length offered. Where the plan buys more than
//    K lengths, the lengths an integer program chooses (see ChooseLengths) are
//    planned, then, while time remains, the least used length (that the
//    longest part does not need) is dropped and the section planned again
//    until at most K are bought; the cheaper plan is taken. Not proven then.
// Prices per bar that are not proportional to length: the planner minimises
// stock, not cost, so beyond K = 1 the result is the least-stock plan's cost,
// not proven the cheapest (the notes say so).
// Bars on hand come first: when they can cut every part, nothing is bought.
// Otherwise they join the bought lengths; bars on hand under the small-stock
// limit keep the short-first rule (bought lengths never fall under it).
#pragma once

#include <atomic>
#include <cstdint>

#include "project/project_input.h"
#include "project/project_result.h"

namespace yobina {

// `maxLengths` 0: any number. Works on the calling thread alone, within
// `seconds` of wall-clock time, ending early when `stop` is set.
SectionResult PlanSection(const SectionInput& section, int32_t maxLengths, double seconds,
                          const std::atomic<bool>* stop);

}  // namespace yobina
