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
constexpr size_t kLanes = 8;
static_assert(StartRowStream::kCapacity % kLanes == 0);

}  // namespace

void StartRowStream::Reset(uint32_t seed, uint32_t rowCount) {
  modulo_ = FastModulo::For(std::max<uint32_t>(rowCount, 1));
  bufferSeed_ = seed;
  fillSeed_ = seed;
  next_ = 0;
  end_ = 0;
}

void StartRowStream::Skip(uint64_t draws) {
  if (draws <= end_ - next_) {
    next_ += draws;
    return;
  }
  bufferSeed_ = AdvanceSeed(bufferSeed_, next_ + draws);
  fillSeed_ = bufferSeed_;
  next_ = 0;
  end_ = 0;
}

uint32_t StartRowStream::Seed() const {
  return AdvanceSeed(bufferSeed_, next_);
}

size_t StartRowStream::Refill(size_t keepFrom) {
  std::memmove(rows_.data(), rows_.data() + keepFrom, end_ - keepFrom);
  bufferSeed_ = AdvanceSeed(bufferSeed_, keepFrom);
  next_ -= keepFrom;
  end_ -= keepFrom;
  Fill();
  return keepFrom;
}

void StartRowStream::Fill() {
  const size_t blocks = (kCapacity - end_) / kLanes;
  // seed_{i+kLanes} = seed_i * mul + add, the step taken kLanes times.
  uint32_t mul = 1, add = 0;
  for (size_t i = 0; i < kLanes; ++i) {
    mul *= kRandomMultiplier;
    add = add * kRandomMultiplier + kRandomIncrement;
  }
  std::array<uint32_t, kLanes> seeds{};
  uint32_t seed = fillSeed_;
  for (size_t lane = 0; lane < kLanes; ++lane) seeds[lane] = seed = NextSeed(seed);
  const FastModulo modulo = modulo_;
  uint8_t* out = rows_.data() + end_;
  for (size_t block = 0; block < blocks; ++block, out += kLanes) {
    for (size_t lane = 0; lane < kLanes; ++lane) {
      out[lane] = static_cast<uint8_t>(modulo(ScaledDraw(seeds[lane], kStartDrawRange)) + 1);
      seeds[lane] = seeds[lane] * mul + add;
    }
  }
  end_ += blocks * kLanes;
  fillSeed_ = AdvanceSeed(fillSeed_, blocks * kLanes);
}

}  // namespace yobina
