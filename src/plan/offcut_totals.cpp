#include "plan/offcut_totals.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "plan/offcuts.h"

namespace yobina {

OffcutTotals OffcutTotalsOf(const Plan& plan, int32_t offcutMin) {
  OffcutTotals totals;
  std::map<int32_t, int64_t> bars;
  for (int32_t p = 1; p <= plan.PatternCount(); ++p) {
    const TCutPattern& pattern = plan.Pattern(p);
    const double length = pattern.Leftover * pattern.BarCount;
    if (KindOfLeftover(pattern.Leftover, offcutMin) != LeftoverKind::Offcut || pattern.BarCount <= 0) {
      totals.ScrapLength += length;
      continue;
    }
    totals.OffcutLength += length;
    totals.Bars += pattern.BarCount;
    const double whole = std::min(std::round(pattern.Leftover), double{std::numeric_limits<int32_t>::max()});
    bars[static_cast<int32_t>(whole)] += pattern.BarCount;
  }
  for (const auto& [length, count] : bars) {
    // A stock list's count is a 32-bit number: more bars of one length take another entry.
    for (int64_t left = count; left > 0; left -= std::numeric_limits<int32_t>::max()) {
      totals.Offcuts.push_back(
          {length, static_cast<int32_t>(std::min<int64_t>(left, std::numeric_limits<int32_t>::max()))});
    }
  }
  return totals;
}

}  // namespace yobina
