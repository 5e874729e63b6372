#include "optimizer/start_row_stream.h"

#include <algorithm>
#include <cstring>

#include "optimizer/random_step.h"

namespace yobina {

namespace {

constexpr uint32_t kStartDrawRange = 99999;
static_assert(kStartDrawRange - 1 <= FastModulo::kMaxValue);

// Independent generators, each kLanes steps ahead of the one before, so the
// fill loop carries no chain of multiplications from draw to draw.
constexpr uint32_t kLanes = 64;
static_assert(StartRowStream::kCapacity % kLanes == 0);

// ScaledDraw(seed, kStartDrawRange) in 32-bit arithmetic, which vector
// units do on eight lanes at once: with seed = a * 2^16 + b and the range
// 2^16 + c, the high word of seed * range is a plus the high half of
// a * c + b + (b * c >> 16), which stays below 2^32.
constexpr uint32_t kRangeLow = kStartDrawRange - (1u << 16);
static_assert(kStartDrawRange >= (1u << 16) && kStartDrawRange < (1u << 17));
static_assert(uint64_t{0xFFFF} * kRangeLow + 0xFFFF + kRangeLow < (uint64_t{1} << 32));

inline uint32_t StartDraw(uint32_t seed) {
  const uint32_t a = seed >> 16;
  const uint32_t b = seed & 0xFFFF;
  return a + ((a * kRangeLow + b + ((b * kRangeLow) >> 16)) >> 16);
}

// (fraction * divisor) >> 32 for a divisor below 2^16, in the same way.
inline uint32_t HighWord(uint32_t fraction, uint32_t divisor) {
  return ((fraction >> 16) * divisor + (((fraction & 0xFFFF) * divisor) >> 16)) >> 16;
}
static_assert(FastModulo::kMaxDivisor < (1u << 16));

}  // namespace

// The loader picks the clone before ThreadSanitizer's runtime is up, and the
// instrumented chooser would crash: such a build has the portable one only.
#if defined(__SANITIZE_THREAD__)
#define YOBINA_FILL_CLONES
#else
#define YOBINA_FILL_CLONES __attribute__((target_clones("avx2", "default")))
#endif

// Two passes over a batch: the seeds, kLanes independent generators side by
// side, then the start rows they give, in 32-bit lane arithmetic. Built for
// the portable instruction set and, where the processor has it, for AVX2:
// the same integer operations, so the same rows.
YOBINA_FILL_CLONES void StartRowStream::Fill() {
  // seed_{i+kLanes} = seed_i * laneMul + laneAdd: the step taken kLanes times.
  uint32_t laneMul = 1, laneAdd = 0;
  for (uint32_t i = 0; i < kLanes; ++i) {
    laneMul *= kRandomMultiplier;
    laneAdd = laneAdd * kRandomMultiplier + kRandomIncrement;
  }
  const uint32_t count = (kCapacity - end_) / kLanes * kLanes;
  std::array<uint32_t, kCapacity> seeds;
  uint32_t seed = fillSeed_;
  for (uint32_t i = 0; i < kLanes && i < count; ++i) seeds[i] = seed = NextSeed(seed);
  for (uint32_t i = kLanes; i < count; ++i) seeds[i] = seeds[i - kLanes] * laneMul + laneAdd;
  // x % d as in FastModulo, with the reciprocal's low 32 bits (0 for d = 1, where every row is 1).
  const auto magicLow = static_cast<uint32_t>(modulo_.magic);
  const auto divisor = static_cast<uint32_t>(modulo_.divisor);
  uint8_t* out = rows_.data() + end_;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t fraction = magicLow * StartDraw(seeds[i]);
    out[i] = static_cast<uint8_t>(HighWord(fraction, divisor) + 1);
  }
  end_ += count;
  fillSeed_ = AdvanceSeed(fillSeed_, count);
}

void StartRowStream::Reset(uint32_t seed, uint32_t rowCount) {
  modulo_ = FastModulo::For(std::max<uint32_t>(rowCount, 1));
  bufferSeed_ = seed;
  fillSeed_ = seed;
  next_ = 0;
  end_ = 0;
}

void StartRowStream::Skip(uint64_t draws) {
  if (draws <= end_ - next_) {
    next_ += static_cast<uint32_t>(draws);
    return;
  }
  bufferSeed_ = AdvanceSeed(bufferSeed_, uint64_t{next_} + draws);
  fillSeed_ = bufferSeed_;
  next_ = 0;
  end_ = 0;
}

uint32_t StartRowStream::Seed() const {
  return AdvanceSeed(bufferSeed_, next_);
}

uint32_t StartRowStream::Refill(uint32_t keepFrom) {
  std::memmove(rows_.data(), rows_.data() + keepFrom, end_ - keepFrom);
  bufferSeed_ = AdvanceSeed(bufferSeed_, keepFrom);
  next_ -= keepFrom;
  end_ -= keepFrom;
  Fill();
  return keepFrom;
}

}  // namespace yobina
