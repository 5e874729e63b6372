#include "plan/plan.h"

#include <algorithm>

namespace yobina {

int32_t Plan::PatternCount() const {
  return std::clamp(cuts_.PatternCount, 0, kMaxPatterns);
}

int32_t Plan::StockRowCount() const {
  return std::clamp(job_.StockCount, 0, kTableCapacity);
}

int32_t Plan::CutRowCount() const {
  return std::clamp(job_.CutCount, 0, kTableCapacity);
}

bool Plan::HasStockRow(const TCutPattern& pattern) const {
  return pattern.StockRow >= 1 && pattern.StockRow <= StockRowCount();
}

int32_t Plan::StockLengthOf(const TCutPattern& pattern) const {
  return HasStockRow(pattern) ? StockRow(pattern.StockRow).Length : 0;
}

}  // namespace yobina
