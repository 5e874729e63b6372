// Offcuts and scrap. With a minimum offcut length T > 0, a bar's leftover of
// T mm or more goes back to the rack as an offcut and is not waste; a shorter
// one is scrap. With T = 0 the feature is off and a leftover is just that.
#pragma once

#include <cstdint>

namespace yobina {

enum class LeftoverKind { Leftover, Offcut, Scrap };

inline LeftoverKind KindOfLeftover(double leftover, int32_t offcutMin) {
  if (offcutMin <= 0) return LeftoverKind::Leftover;
  return leftover >= offcutMin ? LeftoverKind::Offcut : LeftoverKind::Scrap;
}

}  // namespace yobina
