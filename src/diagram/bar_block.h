// One pattern's part of the cutting diagram: the stock length and bar count at
// the left, the bar to scale, and the labels that did not fit in their boxes in
// lanes under it. Laid out first (so pages can be filled), drawn afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diagram/bar_geometry.h"
#include "diagram/label_lanes.h"
#include "graph/graph_context.h"
#include "job/job.h"
#include "plan/cut_plan.h"
#include "plan/offcuts.h"

namespace yobina {

// A box on the bar: one piece, or a run of pieces too narrow to draw one by one.
struct TBarBox {
  double Left = 0;  // page mm
  double Right = 0;
  int32_t CutRow = 0;                          // 0: the leftover
  LeftoverKind Kind = LeftoverKind::Leftover;  // the leftover's
  std::string Label;                           // code page 932, drawn in the box; empty: named under the bar
  std::string SecondLine;                      // under Label where one line was too wide
};

struct TBarBlock {
  std::string StockText;       // "6000"
  std::string CountText;       // "× 5本"
  double BarLeft = 0;          // page mm
  double BarRight = 0;         // the bar's extent
  std::vector<TBarBox> Boxes;  // pieces left to right, then the leftover if any
  // Names of what is too narrow for its name even on two lines: a piece
  // ("#row length"), a run of equal pieces ("#row length×count"), the
  // leftover ("残 length", or with offcuts on "残材 length" / "端材 length").
  std::vector<TLaneLabel> OutsideLabels;
  std::vector<std::string> OutsideTexts;  // one per outside label
  int Lanes = 0;

  double Height() const;  // mm, the gap below included
};

// Lays out the pattern's bar from barLeft at `scale` (page mm per bar mm);
// outside labels stay between areaLeft and areaRight. A box is named on one
// line ("#3 2450", "残 10465") where that fits, else with the word over the
// number, else under the bar. With `offcutMin` > 0 the leftover is an offcut
// or scrap (see KindOfLeftover).
TBarBlock LayoutBarBlock(const TJob& job, const TCutPattern& pattern, int32_t offcutMin, double scale,
                         double barLeft, double areaLeft, double areaRight);

// Width in mm of the wider of the pattern's left-column texts.
double LeftColumnWidth(const TJob& job, const TCutPattern& pattern);

// Draws the block with its bar's top at `top` mm, the left-column texts ending
// at `columnRight`. Leaves the label text size selected.
void DrawBarBlock(TGraphContext& gc, const TBarBlock& block, double top, double columnRight);

// The word a leftover of that kind is named with: 残, 残材 or 端材.
const std::string& LeftoverWord(LeftoverKind kind);

// Fills and frames the rectangle as a leftover of that kind is drawn.
void DrawLeftoverBox(TGraphContext& gc, LeftoverKind kind, double left, double top, double right,
                     double bottom);

}  // namespace yobina
