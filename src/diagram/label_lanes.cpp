#include "diagram/label_lanes.h"

#include <algorithm>
#include <limits>

namespace yobina {
namespace {

struct LaneRules {
  double Left;
  double Right;
  double Spacing;
  double Clearance;
};

// Whether no waiting anchor but `own`'s lies within `clearance` of [left, right]
// (strictly inside it when `clearance` is 0): no other leader would cross there.
bool ClearOfLeaders(const std::vector<TLaneLabel*>& waiting, const TLaneLabel* own, double left, double right,
                    double clearance) {
  return std::none_of(waiting.begin(), waiting.end(), [&](const TLaneLabel* other) {
    return other != own && other->Anchor > left - clearance && other->Anchor < right + clearance;
  });
}

// For a lane that nothing fits in by the usual rule: a label set with one edge
// on its own leader where no other leader crosses it, with `clearance` if any
// label allows it, else touching at most. The first in anchor order, left of
// its leader before right of it; nullptr when no label has such room.
TLaneLabel* PlaceBesideLeader(const std::vector<TLaneLabel*>& waiting, const LaneRules& rules) {
  for (const double clearance : {rules.Clearance, 0.0}) {
    for (TLaneLabel* label : waiting) {
      const double anchor = label->Anchor;
      for (const double left : {anchor - label->Width, anchor}) {
        const double right = left + label->Width;
        if (left >= rules.Left && right <= rules.Right &&
            ClearOfLeaders(waiting, label, left, right, clearance)) {
          label->Left = left;
          return label;
        }
      }
    }
  }
  return nullptr;
}

// Places what fits of `waiting` (in anchor order) in `lane` and returns the
// labels left for the lanes below. `placed`, already set in the lane, keeps
// the labels before it waiting.
std::vector<TLaneLabel*> FillLane(const std::vector<TLaneLabel*>& waiting, int lane, const LaneRules& rules,
                                  const TLaneLabel* placed) {
  constexpr double kNone = -std::numeric_limits<double>::infinity();
  std::vector<TLaneLabel*> later;
  double lastEnd = kNone;     // right edge of the last label placed in this lane
  double lastLeader = kNone;  // anchor of the last label left waiting
  bool beforePlaced = placed != nullptr;
  for (size_t i = 0; i < waiting.size(); ++i) {
    TLaneLabel& label = *waiting[i];
    const double lo = std::max({rules.Left, lastEnd + rules.Spacing, lastLeader + rules.Clearance});
    double hi = rules.Right;
    if (i + 1 < waiting.size()) hi = std::min(hi, waiting[i + 1]->Anchor - rules.Clearance);
    if (&label == placed) {
      beforePlaced = false;
    } else if (!beforePlaced && label.Anchor >= lo && label.Anchor <= hi && hi - lo >= label.Width) {
      label.Left = std::clamp(label.Anchor - label.Width / 2, lo, hi - label.Width);
    } else {
      later.push_back(&label);
      lastLeader = label.Anchor;
      continue;
    }
    label.Lane = lane;
    lastEnd = label.Left + label.Width;
  }
  return later;
}

}  // namespace

int PlaceInLanes(std::vector<TLaneLabel>& labels, double left, double right, double spacing,
                 double clearance) {
  std::vector<TLaneLabel*> waiting;
  for (TLaneLabel& label : labels) waiting.push_back(&label);
  std::stable_sort(waiting.begin(), waiting.end(),
                   [](const TLaneLabel* a, const TLaneLabel* b) { return a->Anchor < b->Anchor; });
  const LaneRules rules{left, right, spacing, clearance};
  int lane = 0;
  while (!waiting.empty()) {
    std::vector<TLaneLabel*> later = FillLane(waiting, lane, rules, nullptr);
    if (later.size() == waiting.size()) {
      TLaneLabel* placed = PlaceBesideLeader(waiting, rules);
      if (placed == nullptr) {
        // Wider than the room on either side: at the left, ending at its
        // anchor where it can.
        placed = waiting.front();
        placed->Left = std::max(left, std::min(placed->Anchor, right) - placed->Width);
      }
      later = FillLane(waiting, lane, rules, placed);
    }
    waiting = std::move(later);
    ++lane;
  }
  return lane;
}

}  // namespace yobina
