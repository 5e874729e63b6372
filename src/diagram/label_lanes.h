// Labels of pieces too short to hold them, set in rows ("lanes") under the bar.
// Each label hangs on a vertical leader line at its anchor, drawn from the bar
// down to the label's lane: no two labels overlap, and no leader passes
// through a label of a lane above its own.
#pragma once

#include <vector>

namespace yobina {

struct TLaneLabel {
  double Anchor = 0;  // mm: the middle of what the label names, where its leader runs
  double Width = 0;   // mm
  // Placed:
  double Left = 0;
  int Lane = 0;  // 0 = right under the bar
};

// Fills Left and Lane of every label and returns the number of lanes. Lane by
// lane, the waiting labels are taken in order of their anchors; one goes in
// when it fits between `left` and `right`, spans its own anchor, keeps
// `spacing` from the label before it in the lane and `clearance` from the
// anchor of every label still waiting (their leaders pass this lane). It sits
// centred under its anchor when there is room, else as near to that as the
// room allows.
//
// A lane that would stay empty (anchors closer than `clearance`, little room
// at the ends) takes one label anyway, with an edge on its own leader and no
// other leader through it: the first in anchor order that has such room with
// `clearance`, else the first that has it at all, leaders then touching its
// edge. Only a label wider than the room on both sides of its anchor (between
// its neighbours' anchors, or `left` and `right`) for every waiting label can
// be crossed: then the first waiting one ends at its anchor where `left`
// allows.
int PlaceInLanes(std::vector<TLaneLabel>& labels, double left, double right, double spacing,
                 double clearance);

}  // namespace yobina
