// The pattern generator's flat loop for the usual jobs (see FillBarIndexed):
// one pass over the Run's draw stream in which a draw costs a table lookup,
// a compare, two selects and a subtraction. Attempts follow one another
// without a branch: the end of one resets the free length, the overflow
// counters and the start of the next. Piece counts are not kept; the rare
// attempt that beats the best pattern is replayed piece by piece.
#include <algorithm>
#include <type_traits>

#include "optimizer/optimizer.h"

namespace yobina {

namespace {

// cond ? a : b by masks, which the compiler keeps free of branches: whether
// a piece fits, and whether an attempt ends, is a coin toss at every draw.
template <class T>
T Select(bool cond, T a, T b) {
  using U = std::make_unsigned_t<T>;
  const U mask = static_cast<U>(U{0} - static_cast<U>(cond));
  return static_cast<T>(static_cast<U>(b) ^ ((static_cast<U>(a) ^ static_cast<U>(b)) & mask));
}

}  // namespace

void Optimizer::FillBarFlat(const TJob& job, int32_t stockRow, int32_t attempts, RowMask128 needed) {
  if (attempts <= 0) return;
  const FlatStep& step = step_;
  const FlatRow lowest = step.Lowest();
  const int32_t stockLength = job.StockTable[stockRow].Length;
  if (stockLength < lowest.need) {
    // Nothing fits: every attempt takes its first draw, if any, and leaves the bar whole.
    if (stockLength + index_.Margin() >= 0) draws_.Skip(static_cast<uint64_t>(attempts));
    pollCountdown_ -= attempts;
    std::fill(attemptPattern_.PieceCount.begin(), attemptPattern_.PieceCount.end(), 0);
    const double percent = LeftoverPercent(stockLength, stockLength);
    if (percent < bestPattern_.LeftoverPercent) KeepAttempt(stockRow, stockLength, percent);
    return;
  }

  const uint64_t counterStart = step.CounterStart();
  int64_t beatingFree = BeatingFreeBound(stockLength);
  int32_t free = stockLength;
  uint64_t counters = counterStart;
  int32_t left = attempts;
  size_t pos = draws_.Position();
  size_t attemptStart = pos;
  int32_t countdown = pollCountdown_;
  // An attempt has ended with `free`: keeps it when it beats the best; false when stopped.
  auto keepIfBetter = [&]() {
    if (free >= beatingFree) return true;
    pollCountdown_ = countdown;
    draws_.SetPosition(pos);
    const bool going = KeepFlatAttempt(job, stockRow, needed, attemptStart, free);
    countdown = pollCountdown_;
    beatingFree = BeatingFreeBound(stockLength);
    return going;
  };

  while (left > 0) {
    if (pos == draws_.End()) {
      draws_.SetPosition(pos);
      const size_t shift = draws_.Refill(attemptStart);
      pos -= shift;
      attemptStart -= shift;
    }
    if (countdown <= 0) {
      draws_.SetPosition(pos);
      if (PollRun()) return;
      countdown = pollCountdown_;
    }
    const uint8_t* rows = draws_.Data();
    const size_t chunkStart = pos;
    const size_t limit = std::min(draws_.End(), pos + static_cast<size_t>(countdown));
    while (pos < limit) {
      const int32_t h = rows[pos];
      const FlatRow& entry = step.FromStart(h);
      const bool fits = free >= entry.need;
      int32_t take = Select(fits, entry.step, lowest.step);
      uint64_t increment = Select(fits, entry.increment, lowest.increment);
      if (((counters + increment) & FlatStep::kOverflowBits) != 0) {
        // The tables picked a row that has run out in this attempt.
        const FlatRow* exact = step.ExactPick(h, free, counters);
        if (exact == nullptr) {
          // The attempt ended before this draw, which starts the next one.
          if (!keepIfBetter()) return;
          free = stockLength;
          counters = counterStart;
          attemptStart = pos;
          if (--left == 0) break;
          continue;
        }
        take = exact->step;
        increment = exact->increment;
      }
      counters += increment;
      free = std::max(free - take, 0);
      ++pos;
      const bool ended = free < lowest.need;
      if (ended & (free < beatingFree)) {
        if (!keepIfBetter()) return;
      }
      left -= static_cast<int32_t>(ended);
      free = Select(ended, stockLength, free);
      counters = Select(ended, counterStart, counters);
      attemptStart = Select(ended, pos, attemptStart);
      if (left == 0) break;
    }
    countdown -= static_cast<int32_t>(pos - chunkStart);
  }
  draws_.SetPosition(pos);
  pollCountdown_ = countdown;
}

bool Optimizer::KeepFlatAttempt(const TJob& job, int32_t stockRow, RowMask128 needed, size_t start,
                                int64_t free) {
  const int32_t stockLength = job.StockTable[stockRow].Length;
  const double percent = LeftoverPercent(free, stockLength);
  if (!(percent < bestPattern_.LeftoverPercent)) return true;
  const size_t resume = draws_.Position();
  draws_.SetPosition(start);
  int64_t replayed = 0;
  // The attempt's draws are still held: refills keep those from its start.
  if (!ExactAttempt(job, stockLength, needed, TailJump{kMaxFreeLength + 1, false}, replayed)) return false;
  draws_.SetPosition(resume);
  KeepAttempt(stockRow, replayed, percent);
  return true;
}

}  // namespace yobina
