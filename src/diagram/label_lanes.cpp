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

// Places what fits of `waiting` (in anchor order) in `lane` and returns the
// labels left for the lanes below. With `forceFirst` the first label goes in
// whatever it covers.
std::vector<TLaneLabel*> FillLane(const std::vector<TLaneLabel*>& waiting, int lane, const LaneRules& rules,
                                  bool forceFirst) {
  constexpr double kNone = -std::numeric_limits<double>::infinity();
  std::vector<TLaneLabel*> later;
  double lastEnd = kNone;     // right edge of the last label placed in this lane
  double lastLeader = kNone;  // anchor of the last label left waiting
  for (size_t i = 0; i < waiting.size(); ++i) {
    TLaneLabel& label = *waiting[i];
    const double lo = std::max({rules.Left, lastEnd + rules.Spacing, lastLeader + rules.Clearance});
    double hi = rules.Right;
    if (i + 1 < waiting.size()) hi = std::min(hi, waiting[i + 1]->Anchor - rules.Clearance);
    if (i == 0 && forceFirst) {
      label.Left = std::max(rules.Left, std::min(label.Anchor, rules.Right) - label.Width);
    } else if (label.Anchor >= lo && label.Anchor <= hi && hi - lo >= label.Width) {
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
    std::vector<TLaneLabel*> later = FillLane(waiting, lane, rules, false);
    if (later.size() == waiting.size()) later = FillLane(waiting, lane, rules, true);
    waiting = std::move(later);
    ++lane;
  }
  return lane;
}

}  // namespace yobina
