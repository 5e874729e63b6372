// Stock totals a plan can actually come to: a lower bound on the stock length
// rises to the next sum of whole bars the stock table allows.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "exact/cutting_model.h"

namespace yobina {

// Adds to the bitset `reachable` (bit s: a sum of s steps can be made) every
// sum made by adding 0 to `count` bars of `steps` steps each.
void AddBars(std::vector<uint64_t>& reachable, int64_t steps, int64_t count);

// The least total of bar lengths, each type between its MinBars and MaxBars
// bars, that is at least `bound`. Totals above `ceiling` are not looked at:
// past it (or for tables too large to list) the bound is only rounded up to
// the lengths' common divisor. INT64_MAX when no total reaches `bound`.
int64_t RoundUpToStockTotal(const CuttingModel& model, double bound, int64_t ceiling);

// Up to `maxMixes` bar counts per type, within the types' limits, whose
// lengths come to `total`, in a fixed order; nullopt when the total lies too
// far above the forced bars to list (2^24 of the lengths' common divisor),
// which says nothing of whether such a mix exists.
std::optional<std::vector<std::vector<int32_t>>> ListMixes(const CuttingModel& model, int64_t total,
                                                           size_t maxMixes);

// The least stock total of at least `least` mm (RoundUpToStockTotal for a
// whole number of mm, with no rounding noise to allow for).
int64_t StockTotalFrom(const CuttingModel& model, int64_t least, int64_t ceiling);

// The largest stock total under `below` the bars can come to (a plan that
// beats `below` uses at most this much); for tables too large to list, the
// largest on the lengths' common divisor. Below the forced bars' total when
// there is none.
int64_t StockTotalUnder(const CuttingModel& model, int64_t below);

}  // namespace yobina
