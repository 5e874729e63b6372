// The pattern generator's flat loop for the usual jobs (see FillBarIndexed):
// one pass over the Run's draw stream in which a draw costs a table lookup,
// a compare, two selects and a subtraction. Attempts follow one another
// without a branch: the end of one resets the free length, the overflow
// counters and the start of the next. Piece counts are not kept; the rare
// attempt that beats the best pattern is replayed piece by piece.
#include <algorithm>
#include <array>
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

// Tells clang, which otherwise turns Select back into a branch, that `cond` is a coin toss.
inline bool Unpredictable(bool cond) {
#if defined(__clang__)
  return __builtin_unpredictable(cond);
#else
  return cond;
#endif
}

static_assert(FlatStep::kMaxAttemptPieces <= StartRowStream::kCapacity / 2,
              "a refill keeps the running attempt's draws and still adds new ones");

}  // namespace

void Optimizer::FillBarFlat(const TJob& job, int32_t stockRow, int32_t attempts, RowMask128 needed) {
  if (attempts <= 0) return;
  const FlatStep& step = step_;
  const int32_t lowestNeed = step.Lowest().piece.need;
  const int32_t stockLength = job.StockTable[stockRow].Length;
  if (stockLength < lowestNeed) {
    // Nothing fits: every attempt takes its first draw, if any, and leaves the bar whole.
    if (stockLength + index_.Margin() >= 0) draws_.Skip(static_cast<uint64_t>(attempts));
    pollCountdown_ -= attempts;
    std::fill(attemptPattern_.PieceCount.begin(), attemptPattern_.PieceCount.end(), 0);
    const double percent = LeftoverPercent(stockLength, stockLength);
    if (percent < bestPattern_.LeftoverPercent) KeepAttempt(stockRow, stockLength, percent);
    return;
  }
  // With no row that can run out in an attempt the counters drop out.
  if (step.CounterStart() != 0) {
    FlatDraws<true>(job, stockRow, attempts, needed);
  } else {
    FlatDraws<false>(job, stockRow, attempts, needed);
  }
}

template <bool kCounted>
void Optimizer::FlatDraws(const TJob& job, int32_t stockRow, int32_t attempts, RowMask128 needed) {
  const FlatStep& step = step_;
  const int32_t lowestNeed = step.Lowest().piece.need;
  const int32_t lowestStep = step.Lowest().piece.step;
  const int32_t stockLength = job.StockTable[stockRow].Length;
  const FlatPiece* pieces = step.Pieces();
  const uint64_t* increments = step.Increments();
  const uint64_t counterStart = step.CounterStart();
  int64_t beatingFree = BeatingFreeBound(stockLength);
  // An attempt ending below this free length may beat the best pattern.
  int32_t checkBelow = static_cast<int32_t>(std::min<int64_t>(lowestNeed, beatingFree));
  int32_t free = stockLength;
  uint64_t placed = 0;  // the counters less counterStart: pieces of each counted row in this attempt
  int32_t left = attempts;
  const uint8_t* rows = draws_.Data();
  const uint8_t* next = rows + draws_.Position();
  // starts[left & 1] is where the current attempt began. The other slot takes
  // the draw after every piece, so when an attempt ends it holds the next one's start.
  std::array<const uint8_t*, 2> starts{next, next};
  int32_t countdown = pollCountdown_;
  // An attempt has ended with `ended` free: keeps it when it beats the best.
  // Values in and out, so that the loop's state can stay in registers.
  const auto keep = [this, &job, stockRow, needed](const uint8_t* base, const uint8_t* start,
                                                   const uint8_t* end, int32_t ended) {
    return KeepFlatAttempt(job, stockRow, needed, static_cast<uint32_t>(start - base),
                           static_cast<uint32_t>(end - base), std::max(ended, 0));
  };
  const auto updateBounds = [&] {
    beatingFree = BeatingFreeBound(stockLength);
    checkBelow = static_cast<int32_t>(std::min<int64_t>(lowestNeed, beatingFree));
  };

  while (left > 0) {
    draws_.SetPosition(static_cast<uint32_t>(next - rows));
    if (draws_.Position() == draws_.End()) {
      const auto start = static_cast<uint32_t>(starts[left & 1] - rows);
      starts[left & 1] = rows + (start - draws_.Refill(start));
    }
    if (countdown <= 0) {
      if (PollRun()) return;
      countdown = pollCountdown_;
    }
    next = rows + draws_.Position();
    const uint8_t* const chunkStart = next;
    const uint8_t* const limit =
        rows + std::min(draws_.End(), draws_.Position() + static_cast<uint32_t>(countdown));
    while (next < limit) {
      const uint32_t h = *next;
      const FlatPiece entry = pieces[h];
      // The free length after the piece; below the lowest need the attempt
      // has ended, so it never goes below 0 into the next piece.
      const bool fits = Unpredictable(free >= entry.need);
      int32_t after = Select(fits, free - entry.step, free - lowestStep);
      uint64_t increment = 0;
      if constexpr (kCounted) {
        increment = increments[h & (0u - static_cast<uint32_t>(fits))];
        if (((placed + increment + counterStart) & FlatStep::kOverflowBits) != 0) {
          // The tables picked a row that has run out in this attempt.
          const FlatRow* exact = step.ExactPick(static_cast<int32_t>(h), free, placed + counterStart);
          if (exact == nullptr) {
            // The attempt ended before this draw, which starts the next one.
            if (free < beatingFree) {
              pollCountdown_ = countdown;
              const FlatKeep result = keep(rows, starts[left & 1], next, free);
              countdown = pollCountdown_;
              if (result == FlatKeep::kStopped) return;
              if (result == FlatKeep::kKept) updateBounds();
            }
            free = stockLength;
            placed = 0;
            starts[--left & 1] = next;
            if (left == 0) break;
            continue;
          }
          after = free - exact->piece.step;
          increment = exact->increment;
        }
      }
      ++next;
      if (after < checkBelow) {
        pollCountdown_ = countdown;
        const FlatKeep result = keep(rows, starts[left & 1], next, after);
        countdown = pollCountdown_;
        if (result == FlatKeep::kStopped) return;
        if (result == FlatKeep::kKept) updateBounds();
      }
      const bool ended = Unpredictable(after < lowestNeed);
      if constexpr (kCounted) {
        const uint64_t keepMask = static_cast<uint64_t>(ended) - 1;  // 0 when the attempt ended
        placed = (placed + increment) & keepMask;
      }
      free = Select(ended, stockLength, after);
      starts[(left - 1) & 1] = next;
      left -= static_cast<int32_t>(ended);
      if (left == 0) break;
    }
    countdown -= static_cast<int32_t>(next - chunkStart);
  }
  draws_.SetPosition(static_cast<uint32_t>(next - rows));
  pollCountdown_ = countdown;
}

Optimizer::FlatKeep Optimizer::KeepFlatAttempt(const TJob& job, int32_t stockRow, RowMask128 needed,
                                               uint32_t start, uint32_t end, int64_t free) {
  const int32_t stockLength = job.StockTable[stockRow].Length;
  const double percent = LeftoverPercent(free, stockLength);
  if (!(percent < bestPattern_.LeftoverPercent)) return FlatKeep::kNotKept;
  // The attempt's draws are still held: refills keep those from its start.
  draws_.SetPosition(start);
  int64_t replayed = 0;
  if (!ExactAttempt(job, stockLength, needed, TailJump{kMaxFreeLength + 1, false}, replayed)) {
    return FlatKeep::kStopped;
  }
  draws_.SetPosition(end);
  KeepAttempt(stockRow, replayed, percent);
  return FlatKeep::kKept;
}

}  // namespace yobina
