#include "diagram/label_lanes.h"

#include <algorithm>

namespace yobina {

int PlaceInLanes(std::vector<TLaneLabel>& labels, double left, double right, double spacing) {
  std::vector<TLaneLabel*> waiting;
  for (TLaneLabel& label : labels) waiting.push_back(&label);
  std::stable_sort(waiting.begin(), waiting.end(),
                   [](const TLaneLabel* a, const TLaneLabel* b) { return a->Anchor < b->Anchor; });
  int lane = 0;
  while (!waiting.empty()) {
    std::vector<TLaneLabel*> later;
    bool placedAny = false;
    double end = left - spacing;  // right edge of the last label in this lane
    for (TLaneLabel* label : waiting) {
      const double wanted = std::max(label->Anchor - label->Width / 2, left);
      const double at = std::max(wanted, end + spacing);
      // The first label of a lane always goes in, even when wider than the lane.
      if (placedAny && at + label->Width > right) {
        later.push_back(label);
        continue;
      }
      label->Left = placedAny ? at : std::max(left, std::min(at, right - label->Width));
      label->Lane = lane;
      end = label->Left + label->Width;
      placedAny = true;
    }
    waiting = std::move(later);
    ++lane;
  }
  return lane;
}

}  // namespace yobina
