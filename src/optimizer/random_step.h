// The program's random numbers: a 32-bit linear congruential generator whose
// draw in 0..n-1 is the new seed scaled to n. Every draw of a Run goes
// through this step, so a Run depends on nothing but its job.
#pragma once

#include <cstdint>

namespace yobina {

inline constexpr uint32_t kRandomMultiplier = 134775813u;
inline constexpr uint32_t kRandomIncrement = 1u;

inline uint32_t NextSeed(uint32_t seed) {
  return seed * kRandomMultiplier + kRandomIncrement;
}

// The draw in 0..n-1 (n > 0) that a seed stands for.
inline uint32_t ScaledDraw(uint32_t seed, uint32_t n) {
  return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
}

// Advances the seed one step and draws in 0..n-1 (n > 0).
inline uint32_t StepRandom(uint32_t& seed, uint32_t n) {
  seed = NextSeed(seed);
  return ScaledDraw(seed, n);
}

// The seed after `draws` more steps: the affine step composed by squaring.
inline uint32_t AdvanceSeed(uint32_t seed, uint64_t draws) {
  uint32_t mul = 1, add = 0;
  uint32_t stepMul = kRandomMultiplier, stepAdd = kRandomIncrement;
  for (; draws != 0; draws >>= 1) {
    if ((draws & 1) != 0) {
      mul *= stepMul;
      add = add * stepMul + stepAdd;
    }
    stepAdd = stepAdd * stepMul + stepAdd;
    stepMul *= stepMul;
  }
  return seed * mul + add;
}

}  // namespace yobina
