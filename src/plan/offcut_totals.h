// The offcuts and scrap of a plan, counted once for every output: the
// report's lines and list, CSV, JSON, and what "keep" records.
#pragma once

#include <cstdint>
#include <vector>

#include "plan/plan.h"

namespace yobina {

// Bars of one leftover length worth keeping.
struct OffcutBars {
  int32_t Length = 0;  // mm
  int32_t Count = 0;
  bool operator==(const OffcutBars&) const = default;
};

struct OffcutTotals {
  int64_t Bars = 0;                 // offcuts: bars whose leftover is at least the minimum
  double OffcutLength = 0;          // mm of those leftovers
  double ScrapLength = 0;           // mm of the other leftovers
  std::vector<OffcutBars> Offcuts;  // ascending by length, one entry a length
};

// With `offcutMin` <= 0 there are no offcuts and every leftover counts as
// scrap. OffcutLength + ScrapLength is the plan's LeftoverLength. Lengths are
// whole millimetres (a plan's leftovers are whole numbers held as reals).
OffcutTotals OffcutTotalsOf(const Plan& plan, int32_t offcutMin);

}  // namespace yobina
