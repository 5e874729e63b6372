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
  const int32_t stockLength = job.StockTable[stockRow].Length;
  if (stockLength < step.Lowest().piece.need) {
    // Nothing fits: every attempt takes its first draw, if any, and leaves the bar whole.
    if (stockLength + index_.Margin() >= 0) draws_.Skip(static_cast<uint64_t>(attempts));
    pollCountdown_ -= attempts;
    std::fill(attemptPattern_.PieceCount.begin(), attemptPattern_.PieceCount.end(), 0);
    const double percent = LeftoverPercent(stockLength, stockLength);
    if (percent < bestPattern_.LeftoverPercent) KeepAttempt(stockRow, stockLength, percent);
    return;
  }
  // On a bar where no row can run out in an attempt the counters drop out.
  if (step.CounterStart() != 0 && stockLength >= step.RunOutBar()) {
    FlatDraws<true>(job, stockRow, attempts, needed);
  } else {
    FlatDraws<false>(job, stockRow, attempts, needed);
  }
}

template <bool kCounted>
void Optimizer::FlatDraws(const TJob& job, int32_t stockRow, int32_t attempts, RowMask128 needed) {
  const FlatStep& step = step_;
  const int32_t stockLength = job.StockTable[stockRow].Length;
  const uint64_t counterStart = step.CounterStart();
  // The current attempt's tables: the full ones, or once the lowest row has
  // run out in it, the reduced ones, whose lowest row is the next one up.
  const FlatStep::Table* table = &step.Full();
  int32_t lowestNeed = table->pieces[0].need;
  int32_t lowestStep = table->pieces[0].step;
  auto lowestIncrement = static_cast<int64_t>(table->increments[0]);
  int64_t beatingFree = BeatingFreeBound(stockLength);
  int32_t checkBelow = static_cast<int32_t>(std::min<int64_t>(lowestNeed, beatingFree));
  int32_t free = stockLength;
  uint64_t counters = counterStart;  // pieces of each counted row in this attempt
  int32_t left = attempts;
  const uint8_t* const rows = draws_.Data();
  // Positions in the draw stream: the next draw, and the current attempt's first.
  auto next = static_cast<int32_t>(draws_.Position());
  int32_t attemptStart = next;
  int32_t countdown = pollCountdown_;
  // An attempt on draws start..end-1 has ended with `ended` free: keeps it
  // when it beats the best. Values in and out, so that the loop's state can
  // stay in registers.
  const auto keep = [this, &job, stockRow, needed](int32_t start, int32_t end, int32_t ended,
                                                   int32_t countdownNow, int32_t& countdownAfter) {
    pollCountdown_ = countdownNow;
    const FlatKeep result = KeepFlatAttempt(job, stockRow, needed, static_cast<uint32_t>(start),
                                            static_cast<uint32_t>(end), std::max(ended, 0));
    countdownAfter = pollCountdown_;
    return result;
  };
  // An attempt ending below checkBelow is looked at: on the full tables
  // when it may beat the best pattern, on the reduced ones always, so that
  // the next attempt starts on the full ones.
  const auto setCheckBelow = [&] {
    checkBelow =
        table == &step.Full() ? static_cast<int32_t>(std::min<int64_t>(lowestNeed, beatingFree)) : lowestNeed;
  };
  const auto useTable = [&](const FlatStep::Table& tables) {
    table = &tables;
    lowestNeed = tables.pieces[0].need;
    lowestStep = tables.pieces[0].step;
    lowestIncrement = static_cast<int64_t>(tables.increments[0]);
    setCheckBelow();
  };
  const auto keptBest = [&] {
    beatingFree = BeatingFreeBound(stockLength);
    setCheckBelow();
  };

  while (left > 0) {
    draws_.SetPosition(static_cast<uint32_t>(next));
    if (draws_.Position() == draws_.End()) {
      attemptStart -= static_cast<int32_t>(draws_.Refill(static_cast<uint32_t>(attemptStart)));
    }
    if (countdown <= 0) {
      if (PollRun()) return;
      countdown = pollCountdown_;
    }
    next = static_cast<int32_t>(draws_.Position());
    const int32_t chunkStart = next;
    const auto limit =
        static_cast<int32_t>(std::min(draws_.End(), draws_.Position() + static_cast<uint32_t>(countdown)));
    while (next < limit) {
      const int32_t h = rows[next];
      const FlatPiece& entry = table->pieces[h];
      // The free length after the piece; below the lowest need the attempt
      // has ended, so it never goes below 0 into the next piece.
      const bool fits = Unpredictable(free >= entry.need);
      int32_t after = Select(fits, free - entry.step, free - lowestStep);
      if constexpr (kCounted) {
        // Selected as signed values, which g++ keeps as a conditional move.
        const int64_t increment = Select(fits, static_cast<int64_t>(table->increments[h]), lowestIncrement);
        uint64_t counted = counters + static_cast<uint64_t>(increment);
        if ((counted & FlatStep::kOverflowBits) != 0) {
          // The tables picked a row that has run out in this attempt. Mostly
          // it is the lowest row: the reduced tables then give this draw's
          // row, unless the attempt has ended.
          const FlatRow* exact = nullptr;
          if (table == &step.Full() && step.LowestRanOut(counters)) {
            useTable(step.Reduced());
            if (free >= lowestNeed) continue;
          } else {
            exact = step.ExactPick(h, free, counters);
          }
          if (exact == nullptr) {
            // The attempt ended before this draw, which starts the next one.
            if (free < beatingFree) {
              const FlatKeep result = keep(attemptStart, next, free, countdown, countdown);
              if (result == FlatKeep::kStopped) return;
              if (result == FlatKeep::kKept) keptBest();
            }
            if (table != &step.Full()) useTable(step.Full());
            free = stockLength;
            counters = counterStart;
            attemptStart = next;
            if (--left == 0) break;
            continue;
          }
          after = free - exact->piece.step;
          counted = counters + exact->increment;
        }
        counters = counted;
      }
      ++next;
      if (after < checkBelow) {
        if (after < std::min<int64_t>(lowestNeed, beatingFree)) {
          const FlatKeep result = keep(attemptStart, next, after, countdown, countdown);
          if (result == FlatKeep::kStopped) return;
          if (result == FlatKeep::kKept) keptBest();
        }
        if (kCounted && table != &step.Full() && after < lowestNeed) {
          // The end of an attempt on the reduced tables; the next starts on the full ones.
          useTable(step.Full());
          free = stockLength;
          counters = counterStart;
          attemptStart = next;
          if (--left == 0) break;
          continue;
        }
      }
      const bool ended = Unpredictable(after < lowestNeed);
      free = Select(ended, stockLength, after);
      attemptStart = Select(ended, next, attemptStart);
      left -= static_cast<int32_t>(ended);
      if constexpr (kCounted) counters = ended ? counterStart : counters;
      if (left == 0) break;
    }
    countdown -= next - chunkStart;
  }
  draws_.SetPosition(static_cast<uint32_t>(next));
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
