#include "exact/stock_totals.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

namespace yobina {

namespace {

constexpr int64_t kMaxListedSteps = int64_t{1} << 26;

// Totals reachable with 0..count bars of `steps` each, added to `reachable` (a bitset).
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

}  // namespace

int64_t RoundUpToStockTotal(const CuttingModel& model, double bound, int64_t ceiling) {
  int64_t fixed = 0;
  int64_t most = 0;
  int64_t divisor = 0;
  for (const StockType& type : model.Types) {
    fixed += int64_t{type.Length} * type.MinBars;
    most += int64_t{type.Length} * type.MaxBars;
    if (type.MaxBars > type.MinBars) divisor = std::gcd(divisor, int64_t{type.Length});
  }
  // Totals are whole millimetres; a hair below the bound is rounding noise.
  const double lowest = std::ceil(bound - 1e-6 * std::max(1.0, std::abs(bound)));
  if (!(lowest > static_cast<double>(fixed))) return fixed;  // also before any bound is known
  if (lowest > static_cast<double>(most)) return std::numeric_limits<int64_t>::max();
  const auto wanted = static_cast<int64_t>(lowest);
  if (divisor == 0) return fixed;  // nothing to choose, and fixed < wanted <= most cannot happen
  const int64_t roughly = fixed + (wanted - fixed + divisor - 1) / divisor * divisor;
  const int64_t last = (std::min(ceiling, most) - fixed) / divisor;
  if (roughly > std::min(ceiling, most) || last >= kMaxListedSteps) return roughly;

  std::vector<uint64_t> reachable(static_cast<size_t>(last / 64 + 1), 0);
  reachable[0] = 1;
  for (const StockType& type : model.Types) {
    AddBars(reachable, type.Length / divisor, type.MaxBars - type.MinBars);
  }
  for (int64_t step = (roughly - fixed) / divisor; step <= last; ++step) {
    if ((reachable[static_cast<size_t>(step / 64)] >> (step % 64) & 1) != 0) return fixed + step * divisor;
  }
  return fixed + (last + 1) * divisor;  // no total up to the ceiling: the next one lies beyond
}

}  // namespace yobina
