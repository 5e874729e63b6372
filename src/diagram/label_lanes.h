// Labels of pieces too short to hold them, set in rows ("lanes") under the bar
// so that no two overlap.
#pragma once

#include <vector>

namespace yobina {

struct TLaneLabel {
  double Anchor = 0;  // mm: the middle of what the label names
  double Width = 0;   // mm
  // Placed:
  double Left = 0;
  int Lane = 0;  // 0 = right under the bar
};

// Fills Left and Lane of every label, taken in order of their anchors: each
// goes centred under its anchor or, when that would overlap the label before,
// just right of it; a label that would pass `right` waits for the next lane.
// Labels in one lane keep `spacing` between them. Returns the number of lanes.
int PlaceInLanes(std::vector<TLaneLabel>& labels, double left, double right, double spacing);

}  // namespace yobina
