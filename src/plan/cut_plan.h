// Cutting patterns and plans as the planners build them: plain values, copied whole.
#pragma once

#include <array>
#include <cstdint>

namespace yobina {

constexpr int kMaxPatterns = 100;

// The free length of a bar is kept within 0..kMaxFreeLength: only pieces or
// kerfs of negative length can grow it, and 100 x free must stay exact.
constexpr int64_t kMaxFreeLength = int64_t{1} << 53;

// The cut of one stock bar.
struct TCutPattern {
  int32_t StockRow = 0;                   // stock-table row; 0 = no pattern
  double Leftover = 0;                    // mm left on the bar, never negative
  double LeftoverPercent = 0;             // Leftover * 100 / bar length
  std::array<int32_t, 101> PieceCount{};  // pieces per cut row 1..100 (slot 0 unused)
  int32_t BarCount = 0;                   // bars cut to this pattern (set when it enters a plan)
};

struct TCutPlan {
  int32_t PatternCount = 0;                              // 0 = no plan
  double MemberLength = 0;                               // mm required
  double StockLength = 0;                                // mm of stock used
  double LeftoverLength = 0;                             // mm left over
  double LeftoverRate = 0;                               // percent
  double LossRate = 0;                                   // percent; plans are compared by it
  std::array<TCutPattern, kMaxPatterns + 1> Patterns{};  // 1..PatternCount; slot 0 is scratch
};

}  // namespace yobina
