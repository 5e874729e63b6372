// The start rows of a Run's draws, worked out ahead in bulk. Every draw of
// the pattern generator is NextRandom(99999) mod the cut count, a number that
// stays fixed during a Run, so the start rows form one sequence whatever the
// generator does with them.
#pragma once

#include <array>
#include <cstdint>

#include "optimizer/cut_index.h"

namespace yobina {

class StartRowStream {
 public:
  static constexpr uint32_t kCapacity = 8192;

  // The draws after `seed`, for start rows 1..rowCount (1..FastModulo::kMaxDivisor).
  void Reset(uint32_t seed, uint32_t rowCount);

  // The start row (1..rowCount) of the next draw.
  int32_t Next() {
    if (next_ == end_) Refill(next_);
    return rows_[next_++];
  }
  // Passes over `draws` draws without looking at them.
  void Skip(uint64_t draws);
  // The seed after the draws taken so far.
  uint32_t Seed() const;

  // Direct access for the fast loop: the rows of draws next..end-1 are Data()[next..end-1].
  const uint8_t* Data() const { return rows_.data(); }
  uint32_t Position() const { return next_; }
  uint32_t End() const { return end_; }
  // Moves back to a draw still held, or forward to one already worked out.
  void SetPosition(uint32_t position) { next_ = position; }
  // Works out more draws, keeping those from `keepFrom` on; positions move
  // down by the returned amount.
  uint32_t Refill(uint32_t keepFrom);

 private:
  void Fill();

  FastModulo modulo_{};
  uint32_t bufferSeed_ = 0;  // the seed before the draw at position 0
  uint32_t fillSeed_ = 0;    // the seed before the draw at position end_
  uint32_t next_ = 0;
  uint32_t end_ = 0;
  std::array<uint8_t, kCapacity> rows_{};
};

}  // namespace yobina
