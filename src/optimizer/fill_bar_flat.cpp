// The pattern generator's flat loop for the usual jobs (see Optimizer::PathFor):
// one pass over the Run's draw stream, bar after bar of a step, in which a
// draw costs a table lookup, a compare, two selects and a subtraction.
// Attempts follow one another without a branch: the end of one resets the
// free length, the overflow counters and the start of the next. Piece counts
// are not kept; the rare attempt that beats the best pattern is replayed
// piece by piece.
#include <algorithm>
#include <array>
#include <span>
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

// Where the flat loop is: in the draws, in the current attempt and in the bar's attempts.
struct FlatCursor {
  int64_t next = 0;          // the next draw, as a position in the draw stream
  int64_t attemptStart = 0;  // the current attempt's first draw
  int32_t free = 0;
  int32_t left = 0;       // attempts to end on this bar, the current one included
  uint64_t counters = 0;  // pieces of each counted row in this attempt
  // The full tables, or the reduced ones once the lowest row has run out in this attempt.
  const FlatStep::Table* table = nullptr;
  int32_t bar = 0;  // in FlatBars
};

// The bars of a step that the loop fills one after the other.
struct FlatBars {
  const int32_t* lengths = nullptr;
  int32_t count = 0;
  int32_t attempts = 0;    // on each
  double bestPercent = 0;  // the best pattern's LeftoverPercent
};

// Why the loop stopped.
enum class FlatEvent {
  kLimit,       // at the limit
  kDone,        // the last bar's last attempt has ended
  kCheck,       // an attempt ended with `free`, which beats the best pattern
  kEndedEarly,  // as kCheck, but the attempt ended before draw `next`, which starts the next one
  kRunOut,      // at draw `next` the tables picked a row that has run out, not only the lowest
};

// The draws from cursor.next up to `limit`, until an event; an attempt
// count of 0 moves on to the next bar first. On its own and small, so that
// the compiler keeps its state in registers.
template <bool kCounted>
[[gnu::noinline]] FlatEvent RunFlatLoop(FlatCursor& cursor, const FlatStep& step, const uint8_t* rows,
                                        int64_t limit, const FlatBars& bars) {
  const FlatStep::Table* const full = &step.Full();
  int32_t bar = cursor.bar;
  int32_t stockLength = bars.lengths[bar];
  int64_t beatingFree = BeatingFreeBound(bars.bestPercent, stockLength);
  const auto counterStart = static_cast<int64_t>(step.CounterStart());
  const FlatStep::Table* table = nullptr;
  int32_t lowestNeed = 0;
  int32_t lowestStep = 0;
  int64_t lowestIncrement = 0;
  // An attempt ending below checkBelow stops the fast path: on the full
  // tables when it may beat the best pattern, on the reduced ones always, so
  // that the next attempt starts on the full ones.
  int32_t checkBelow = 0;
  const auto useTable = [&](const FlatStep::Table* tables) {
    table = tables;
    lowestNeed = tables->pieces[0].need;
    lowestStep = tables->pieces[0].step;
    lowestIncrement = static_cast<int64_t>(tables->increments[0]);
    checkBelow =
        tables == full ? static_cast<int32_t>(std::min<int64_t>(lowestNeed, beatingFree)) : lowestNeed;
  };
  useTable(cursor.table);
  int64_t next = cursor.next;
  int64_t attemptStart = cursor.attemptStart;
  int32_t free = cursor.free;
  int32_t left = cursor.left;
  auto counters = static_cast<int64_t>(cursor.counters);
  // After a bar's last attempt, the next bar; false after the last.
  const auto nextBar = [&] {
    if (bar + 1 == bars.count) return false;
    stockLength = bars.lengths[++bar];
    beatingFree = BeatingFreeBound(bars.bestPercent, stockLength);
    checkBelow = static_cast<int32_t>(std::min<int64_t>(lowestNeed, beatingFree));
    free = stockLength;
    left = bars.attempts;
    return true;
  };
  // Ends an attempt that cannot beat the best pattern; the next starts at draw `next`.
  const auto endAttempt = [&] {
    if (table != full) useTable(full);
    free = stockLength;
    counters = counterStart;
    attemptStart = next;
    return --left != 0 || nextBar();
  };

  FlatEvent event = FlatEvent::kLimit;
  if (left == 0 && !nextBar()) limit = next;
  while (next < limit) {
    const int32_t h = rows[next];
    const FlatPiece& entry = table->pieces[h];
    // The first needed row from h when it fits, else the lowest. Below the
    // lowest need the attempt has ended, so free never goes below 0.
    const bool fits = Unpredictable(free >= entry.need);
    // Both differences first: the select then waits only for the compare.
    const int32_t after = Select(fits, free - entry.step, free - lowestStep);
    if constexpr (kCounted) {
      // Selected as signed values, which g++ keeps as conditional moves (the
      // top byte holds no counter, so the sum stays positive).
      const int64_t counted =
          counters + Select(fits, static_cast<int64_t>(table->increments[h]), lowestIncrement);
      if ((static_cast<uint64_t>(counted) & FlatStep::kOverflowBits) != 0) [[unlikely]] {
        // The tables picked a row that has run out in this attempt, mostly
        // the lowest: then the reduced tables give this draw's row, unless
        // no needed row fits any more.
        if (table != full || !step.LowestRanOut(static_cast<uint64_t>(counters))) {
          event = FlatEvent::kRunOut;
          break;
        }
        useTable(&step.Reduced());
        if (free >= lowestNeed) continue;
        if (free < beatingFree && LeftoverPercent(std::max(free, 0), stockLength) < bars.bestPercent) {
          event = FlatEvent::kEndedEarly;
          break;
        }
        if (!endAttempt()) {
          event = FlatEvent::kDone;
          break;
        }
        continue;
      }
      counters = counted;
    }
    ++next;
    if (after < checkBelow) [[unlikely]] {
      // The attempt has ended (checkBelow is at most lowestNeed); it stops
      // the loop when it beats the best pattern.
      if (after < beatingFree && LeftoverPercent(std::max(after, 0), stockLength) < bars.bestPercent) {
        free = after;
        event = FlatEvent::kCheck;
        break;
      }
      if (!endAttempt()) {
        event = FlatEvent::kDone;
        break;
      }
      continue;
    }
    const bool ended = Unpredictable(after < lowestNeed);
    free = Select(ended, stockLength, after);
    attemptStart = Select(ended, next, attemptStart);
    if constexpr (kCounted) counters = Select(ended, counterStart, counters);
    left -= static_cast<int32_t>(ended);
    if (left == 0 && !nextBar()) [[unlikely]] {
      event = FlatEvent::kDone;
      break;
    }
  }
  if (left == 0) event = FlatEvent::kDone;
  cursor = {next, attemptStart, free, left, static_cast<uint64_t>(counters), table, bar};
  return event;
}

static_assert(FlatStep::kMaxAttemptPieces <= StartRowStream::kCapacity / 2,
              "a refill keeps the running attempt's draws and still adds new ones");

}  // namespace

void Optimizer::FillBarNothingFits(const TJob& job, int32_t stockRow, int32_t attempts) {
  // Every attempt takes its first draw, if any, and leaves the bar whole.
  const int32_t stockLength = job.StockTable[stockRow].Length;
  if (stockLength + index_.Margin() >= 0) draws_.Skip(static_cast<uint64_t>(attempts));
  pollCountdown_ -= attempts;
  std::fill(attemptPattern_.PieceCount.begin(), attemptPattern_.PieceCount.end(), 0);
  const double percent = LeftoverPercent(stockLength, stockLength);
  if (percent < bestPattern_.LeftoverPercent) KeepAttempt(stockRow, stockLength, percent);
}

template <bool kCounted>
size_t Optimizer::FlatDraws(const TJob& job, std::span<const int32_t> stockRows, int32_t attempts,
                            RowMask128 needed) {
  constexpr BarPath kPath = kCounted ? BarPath::kFlatCounted : BarPath::kFlat;
  const FlatStep& step = step_;
  // The first bar, and those after it that take this loop too: one loop
  // over them saves a return to the driver every few draws.
  std::array<int32_t, kTableCapacity> lengths;
  int32_t barCount = 0;
  for (const int32_t row : stockRows) {
    if (barCount > 0 && PathFor(job, row) != kPath) break;
    lengths[barCount++] = job.StockTable[row].Length;
  }
  FlatBars bars{lengths.data(), barCount, attempts, bestPattern_.LeftoverPercent};
  const uint8_t* const rows = draws_.Data();
  FlatCursor cursor{draws_.Position(),   draws_.Position(), lengths[0], attempts,
                    step.CounterStart(), &step.Full(),      0};
  int32_t countdown = pollCountdown_;
  // The attempt from draw cursor.attemptStart on ended with `free`, which may
  // beat the best pattern: keeps it when it does.
  const auto keep = [&](int32_t free) {
    KeepFlatAttempt(job, stockRows[cursor.bar], needed, static_cast<uint32_t>(cursor.attemptStart),
                    std::max(free, 0));
    bars.bestPercent = bestPattern_.LeftoverPercent;
  };
  // The next attempt starts at cursor.next (on the next bar when the count reaches 0).
  const auto nextAttempt = [&] {
    cursor.attemptStart = cursor.next;
    cursor.free = lengths[cursor.bar];
    cursor.counters = step.CounterStart();
    cursor.table = &step.Full();
    --cursor.left;
  };

  for (;;) {
    if (cursor.next == draws_.End()) {
      // The refill keeps the running attempt's draws, and those of the best
      // attempt while they leave room; else that one is replayed first.
      auto keepFrom = static_cast<uint32_t>(cursor.attemptStart);
      if (unreplayed_.waiting) {
        if (draws_.End() - unreplayed_.start <= StartRowStream::kCapacity / 2) {
          keepFrom = unreplayed_.start;
        } else {
          pollCountdown_ = countdown;
          if (!ReplayBestAttempt(job)) return static_cast<size_t>(cursor.bar) + 1;
          countdown = pollCountdown_;
        }
      }
      const uint32_t moved = draws_.Refill(keepFrom);
      cursor.attemptStart -= moved;
      cursor.next -= moved;
      unreplayed_.start -= moved;
    }
    if (countdown <= 0) {
      if (PollRun()) return static_cast<size_t>(cursor.bar) + 1;
      countdown = pollCountdown_;
    }
    const int64_t start = cursor.next;
    const int64_t limit = std::min<int64_t>(draws_.End(), start + countdown);
    const FlatEvent event = RunFlatLoop<kCounted>(cursor, step, rows, limit, bars);
    countdown -= static_cast<int32_t>(cursor.next - start);
    if (event == FlatEvent::kDone) break;
    if (event == FlatEvent::kCheck || event == FlatEvent::kEndedEarly) {
      keep(cursor.free);
      nextAttempt();
    } else if (event == FlatEvent::kRunOut) {
      // Worked out exactly, as one draw of the loop.
      const FlatRow* exact = step.ExactPick(rows[cursor.next], cursor.free, cursor.counters);
      if (exact == nullptr) {
        // The attempt ended before this draw, which starts the next one.
        keep(cursor.free);
        nextAttempt();
        continue;
      }
      const int32_t after = cursor.free - exact->piece.step;
      cursor.counters += exact->increment;
      ++cursor.next;
      --countdown;
      if (after >= cursor.table->pieces[0].need) {
        cursor.free = after;
        continue;
      }
      keep(after);
      nextAttempt();
    }
  }
  draws_.SetPosition(static_cast<uint32_t>(cursor.next));
  pollCountdown_ = countdown;
  ReplayBestAttempt(job);
  return static_cast<size_t>(barCount);
}

template size_t Optimizer::FlatDraws<false>(const TJob&, std::span<const int32_t>, int32_t, RowMask128);
template size_t Optimizer::FlatDraws<true>(const TJob&, std::span<const int32_t>, int32_t, RowMask128);

bool Optimizer::KeepFlatAttempt(const TJob& job, int32_t stockRow, RowMask128 needed, uint32_t start,
                                int64_t free) {
  const int32_t stockLength = job.StockTable[stockRow].Length;
  const double percent = LeftoverPercent(free, stockLength);
  if (!(percent < bestPattern_.LeftoverPercent)) return false;
  // The piece counts wait for ReplayBestAttempt: a later attempt may beat this one first.
  bestPattern_.StockRow = stockRow;
  bestPattern_.Leftover = static_cast<double>(free);
  bestPattern_.LeftoverPercent = percent;
  unreplayed_ = {true, stockRow, start, percent, needed};
  return true;
}

bool Optimizer::ReplayBestAttempt(const TJob& job) {
  if (!unreplayed_.waiting) return true;
  unreplayed_.waiting = false;
  // Its draws are still held: refills keep those from its start.
  const uint32_t position = draws_.Position();
  draws_.SetPosition(unreplayed_.start);
  int64_t replayed = 0;
  if (!ExactAttempt(job, job.StockTable[unreplayed_.stockRow].Length, unreplayed_.needed,
                    TailJump{kMaxFreeLength + 1, false}, replayed)) {
    return false;
  }
  draws_.SetPosition(position);
  KeepAttempt(unreplayed_.stockRow, replayed, unreplayed_.percent);
  return true;
}

}  // namespace yobina
