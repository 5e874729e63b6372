// What the flat pattern loop needs of one step of a trial. Within a step the
// rows still needed when it starts are fixed, so for each start row the
// first of them at or after it can be looked up instead of searched. A row
// that runs out inside an attempt stays in these tables; counters catch the
// one draw that would pick it again. For the lowest row the reduced table
// then takes over; for any other that draw is worked out exactly.
#pragma once

#include <array>
#include <cstdint>

#include "job/job.h"
#include "optimizer/cut_index.h"

namespace yobina {

struct FlatPiece {
  int32_t need = 0;  // the free length a piece needs to fit (Length - margin)
  int32_t step = 0;  // what a piece takes from the bar (Length + kerf)
};

// One row as the flat loop sees it.
struct FlatRow {
  FlatPiece piece;
  uint64_t increment = 0;  // added to the overflow counters per piece
};

class FlatStep {
 public:
  static constexpr int32_t kMaxRows = 62;
  // Bars from 1 mm up to this length; needs and steps are capped just above it.
  static constexpr int32_t kMaxBarLength = 1 << 30;
  // An attempt's draws stay in the draw stream until it ends (for its
  // replay), so an attempt may place at most this many pieces.
  static constexpr int64_t kMaxAttemptPieces = 4096;
  // A row with bit 7 set in its 8-bit counter got one piece more than it needs.
  // Seven counters, so that their sum as a signed 64-bit value never reaches the sign bit.
  static constexpr uint64_t kOverflowBits = 0x0080808080808080u;

  // Takes the rows of a Run; true for sorted tables of at most kMaxRows rows
  // where every piece needs at least 1 mm of free length and shortens the
  // bar by at least 1 mm, the tables the flat loop can take.
  bool StartRun(const CutTableIndex& index);

  // The longest bar on which no attempt can place more than kMaxAttemptPieces pieces.
  int64_t LongestBar() const { return longestBar_; }

  // Sets up the step for the rows in `needed` (bit k = row k) and their
  // Remaining counts, on bars up to `longestBar`; false when more than seven
  // of them could run out on that bar, or one with more than 126 pieces.
  bool Prepare(const TLengthTable& cut, uint64_t needed, int64_t longestBar);

  // Entry h (1..RowCount) is the first needed row at or after start row h,
  // cyclically; entry 0 is the lowest needed row, the shortest. The need and
  // step, and the counter increment, are apart so that each is one load.
  // The reduced table leaves out the lowest row, for the rest of an attempt
  // in which it has run out.
  struct Table {
    std::array<FlatPiece, 64> pieces{};
    std::array<uint64_t, 64> increments{};
  };
  const Table& Full() const { return full_; }
  const Table& Reduced() const { return reduced_; }
  const FlatRow& Lowest() const { return rows_[lowestRow_]; }
  uint64_t CounterStart() const { return counterStart_; }
  // The shortest bar on which a counted row can run out: shorter bars need no counters.
  int64_t RunOutBar() const { return runOutBar_; }
  // Whether the lowest row has all its pieces, by the counters before a piece.
  bool LowestRanOut(uint64_t counters) const {
    return lowestLane_ != 0 && (counters & lowestLane_) == lowestRanOut_;
  }

  // The exact row for start row h, given the counters before the piece:
  // nullptr when no needed row fits, which ends the attempt before this draw.
  const FlatRow* ExactPick(int32_t h, int64_t free, uint64_t counters) const;

 private:
  static constexpr int32_t kNoRow = 63;  // never fits; lets a bit search always find a row
  static constexpr int32_t kLanes = 7;
  static constexpr int32_t kMaxTightRemaining = 126;

  int32_t rowCount_ = 0;
  int64_t longestBar_ = 0;
  std::array<FlatRow, kNoRow + 1> rows_{};
  void FillTable(uint64_t needed, Table& table) const;

  Table full_{};
  Table reduced_{};
  int32_t lowestRow_ = kNoRow;
  uint64_t needed_ = 0;
  uint64_t counterStart_ = 0;
  uint64_t lowestLane_ = 0;    // the bits of the lowest row's counter, 0 when it has none
  uint64_t lowestRanOut_ = 0;  // that counter when the row has all its pieces
  int64_t runOutBar_ = 0;
  int32_t lanes_ = 0;
  std::array<uint64_t, kLanes> laneBit_{};  // the row of each counter, as a row bit
};

}  // namespace yobina
