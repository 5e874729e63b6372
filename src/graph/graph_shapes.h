// Filled rectangles and lines on the printer, placed in page millimetres like
// G_Text: the cutting diagrams draw their bars with these.
#pragma once

#include <cstdint>

#include "graph/graph_context.h"

namespace yobina {

// Fills the rectangle between the corners (x1, y1) and (x2, y2) mm. Corners
// are mapped to dots one by one, so rectangles that share an edge in mm share
// it in dots too. Not printing, or a corner beyond 1,000,000 dots: nothing.
void G_FillRect(TGraphContext& gc, double x1, double y1, double x2, double y2, uint32_t colorRef);

// A line from (x1, y1) to (x2, y2) mm, widthMm thick (at least one dot).
void G_Line(TGraphContext& gc, double x1, double y1, double x2, double y2, double widthMm, uint32_t colorRef);

}  // namespace yobina
