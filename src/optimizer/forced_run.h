// Runs of one cut row that the generator can place in a single step.
#pragma once

#include <algorithm>
#include <cstdint>

namespace yobina {

// Below this many pieces a forced run is placed piece by piece.
constexpr int64_t kForcedRunMin = 64;

// How many pieces of one row go on a bar one after the other, this one
// included, once that row is the only needed row that fits: the free length
// only shrinks, so no other row can come to fit. `need` pieces are still
// needed; `pieceStep` >= 0.
inline int64_t ForcedRun(int64_t free, int64_t need, int64_t length, int64_t pieceStep, int64_t margin) {
  const int64_t freeNeeded = length - margin;  // a piece fits while the free length reaches this
  if (freeNeeded <= 0) return need;
  if (pieceStep == 0) return std::max<int64_t>(free, 0) >= freeNeeded ? need : 1;
  return std::min(need, (free - freeNeeded) / pieceStep + 1);
}

}  // namespace yobina
