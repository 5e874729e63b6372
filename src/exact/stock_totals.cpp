#include "exact/stock_totals.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

namespace yobina {

namespace {

constexpr int64_t kMaxListedSteps = int64_t{1} << 26;

struct TotalsRange {
  int64_t Fixed = 0;    // the forced bars' total
  int64_t Most = 0;     // every bar
  int64_t Divisor = 0;  // of the lengths whose bar count is free; 0: none
};

TotalsRange RangeOf(const CuttingModel& model) {
  TotalsRange range;
  for (const StockType& type : model.Types) {
    range.Fixed += int64_t{type.Length} * type.MinBars;
    range.Most += int64_t{type.Length} * type.MaxBars;
    if (type.MaxBars > type.MinBars) range.Divisor = std::gcd(range.Divisor, int64_t{type.Length});
  }
  return range;
}

// Bit s: the total fixed + s * divisor is reachable, for s up to `last`.
std::vector<uint64_t> ReachableTotals(const CuttingModel& model, const TotalsRange& range, int64_t last) {
  std::vector<uint64_t> reachable(static_cast<size_t>(last / 64 + 1), 0);
  reachable[0] = 1;
  for (const StockType& type : model.Types) {
    AddBars(reachable, type.Length / range.Divisor, type.MaxBars - type.MinBars);
  }
  return reachable;
}

bool IsSet(const std::vector<uint64_t>& bits, int64_t at) {
  return (bits[static_cast<size_t>(at / 64)] >> (at % 64) & 1) != 0;
}

}  // namespace

void AddBars(std::vector<uint64_t>& reachable, int64_t steps, int64_t count) {
  const int64_t bits = static_cast<int64_t>(reachable.size()) * 64;
  for (int64_t chunk = 1; count > 0 && steps > 0; chunk *= 2) {
    const int64_t take = std::min(chunk, count);
    count -= take;
    const int64_t shift = take * steps;
    if (shift >= bits) continue;
    const auto words = static_cast<size_t>(shift / 64);
    const auto offset = static_cast<unsigned>(shift % 64);
    for (size_t w = reachable.size(); w-- > words;) {
      uint64_t moved = reachable[w - words] << offset;
      if (offset != 0 && w > words) moved |= reachable[w - words - 1] >> (64 - offset);
      reachable[w] |= moved;
    }
  }
}

int64_t StockTotalUnder(const CuttingModel& model, int64_t below) {
  const TotalsRange range = RangeOf(model);
  if (below <= range.Fixed) return below - 1;  // no total at all: any cutoff under the forced bars does
  if (range.Divisor == 0) return range.Fixed;
  const int64_t last = (std::min(below - 1, range.Most) - range.Fixed) / range.Divisor;
  if (last >= kMaxListedSteps) return range.Fixed + last * range.Divisor;
  const std::vector<uint64_t> reachable = ReachableTotals(model, range, last);
  int64_t step = last;
  while (!IsSet(reachable, step)) --step;  // step 0, the forced bars alone, is always reachable
  return range.Fixed + step * range.Divisor;
}

int64_t RoundUpToStockTotal(const CuttingModel& model, double bound, int64_t ceiling) {
  // Totals are whole millimetres; a hair below the bound is rounding noise.
  const double lowest = std::ceil(bound - 1e-6 * std::max(1.0, std::abs(bound)));
  const int64_t least = !(lowest > -9e18)
                            ? std::numeric_limits<int64_t>::min()  // also before any bound is known
                        : lowest >= 9e18 ? std::numeric_limits<int64_t>::max()
                                         : static_cast<int64_t>(lowest);
  return StockTotalFrom(model, least, ceiling);
}

int64_t StockTotalFrom(const CuttingModel& model, int64_t least, int64_t ceiling) {
  const TotalsRange range = RangeOf(model);
  if (least <= range.Fixed) return range.Fixed;
  if (least > range.Most) return std::numeric_limits<int64_t>::max();
  if (range.Divisor == 0) return range.Fixed;  // nothing to choose, and fixed < least <= most cannot happen
  const int64_t divisor = range.Divisor;
  const int64_t roughly = range.Fixed + (least - range.Fixed + divisor - 1) / divisor * divisor;
  const int64_t last = (std::min(ceiling, range.Most) - range.Fixed) / divisor;
  if (roughly > std::min(ceiling, range.Most) || last >= kMaxListedSteps) return roughly;

  const std::vector<uint64_t> reachable = ReachableTotals(model, range, last);
  for (int64_t step = (roughly - range.Fixed) / divisor; step <= last; ++step) {
    if (IsSet(reachable, step)) return range.Fixed + step * divisor;
  }
  return range.Fixed + (last + 1) * divisor;  // no total up to the ceiling: the next one lies beyond
}

}  // namespace yobina
