// Where the pieces of one cutting pattern lie along its bar, in millimetres:
// the picture the cutting diagram draws to scale.
#pragma once

#include <cstdint>
#include <vector>

#include "job/job.h"
#include "plan/cut_plan.h"

namespace yobina {

// The pieces of one cut row in a pattern, next to each other, each followed
// by its kerf. Start and End include the kerfs.
struct TPieceRun {
  int32_t CutRow = 0;
  int32_t Length = 0;  // mm as in the cut table (the label)
  int32_t Count = 0;
  double Start = 0;
  double End = 0;
};

struct TBarGeometry {
  int32_t StockLength = 0;      // mm as in the stock table (the label)
  double BarLength = 0;         // drawn stock length: the stock length, never negative
  double CutsEnd = 0;           // where the last kerf ends: the leftover starts here
  double Extent = 0;            // the stock, or further where the margin was cut into
  double Leftover = 0;          // the plan's leftover (the label)
  std::vector<TPieceRun> Runs;  // longest cut row first, the usual sawing order
};

// Pieces are charged their length and one kerf each, as the planner charges
// them; a kerf past the end of the bar costs nothing, and pieces may run past
// it into the margin. Lengths and kerfs below zero are drawn as zero. Works for
// any count without visiting every piece.
TBarGeometry BarGeometryOf(const TJob& job, const TCutPattern& pattern);

// The stock-table length of the pattern's bar; 0 for a row outside the table.
int32_t StockLengthOf(const TJob& job, const TCutPattern& pattern);

// Where a piece of `length` that starts at `x` ends with its kerf, on a bar of
// `barLength`; the same rule BarGeometryOf applies to every piece.
double NextPieceStart(double x, double length, double kerf, double barLength);

}  // namespace yobina
