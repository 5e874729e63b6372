// Depth first over the bounded knapsack of one type at a time: the items in
// falling value per mm, each item's count from the most that fits down to
// zero. A branch ends when it cannot end maximal or the rest cannot reach the
// value asked for: first by the fractional fill, cheap and falling with the
// count, then by a table of the best whole-piece fill of the later items,
// which ends nearly every branch that would list nothing (on bars of 6 to
// 12 m with 30 items, about 15 choices per listed pattern).
#include "exact/pattern_enumeration.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "job/job.h"

namespace yobina {

namespace {

constexpr double kRelativeTolerance = 1e-9;
constexpr int64_t kStopPollMask = 4095;  // the stop flag is read once every 4096 choices
constexpr int64_t kNoneOpen = std::numeric_limits<int64_t>::max();
// Entries of the whole-piece bound's table: 32 MB at most, else the fractional bound alone.
constexpr int64_t kMaxLaterBest = int64_t{1} << 22;

struct Entry {
  int32_t Item = 0;
  int64_t Weight = 0;
  int32_t Demand = 0;
  int64_t Most = 0;  // pieces that may go on the bar: the demand, or fewer when the bar is shorter
  double Value = 0;
  double Density = 0;  // value per unit of weight
};

class TypeSearch {
 public:
  TypeSearch(const CuttingModel& model, const std::vector<double>& values, int32_t type, double minValue,
             const EnumerationLimits& limits, PatternEnumeration& out)
      : type_(type),
        capacity_(std::max<int64_t>(model.Types[type].Capacity, 0)),
        limits_(limits),
        out_(out),
        pieces_(model.Items.size(), 0) {
    for (int32_t i = 0; i < static_cast<int32_t>(model.Items.size()); ++i) {
      const CutItem& item = model.Items[i];
      const int64_t most = std::min<int64_t>(item.Demand, capacity_ / item.Weight);
      // An item that cannot go on the bar never leaves a pattern short of maximal.
      if (most <= 0) continue;
      const double density = values[i] / static_cast<double>(item.Weight);
      // A value that is not a number sorts last rather than breaking the order.
      entries_.push_back({i, item.Weight, item.Demand, most, values[i],
                          std::isnan(density) ? -std::numeric_limits<double>::infinity() : density});
    }
    // Ties go to the heavier item first: the fewer pieces left to place, the
    // sooner a branch that cannot be maximal shows.
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
      if (a.Density != b.Density) return a.Density > b.Density;
      if (a.Weight != b.Weight) return a.Weight > b.Weight;
      return a.Item < b.Item;
    });
    const size_t count = entries_.size();
    positives_ = static_cast<size_t>(
        std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.Value > 0; }));
    priorWeight_.assign(count + 1, 0);
    priorValue_.assign(count + 1, 0.0);
    laterWeight_.assign(count + 1, 0);
    for (size_t k = 0; k < count; ++k) {
      priorWeight_[k + 1] = priorWeight_[k] + entries_[k].Most * entries_[k].Weight;
      priorValue_[k + 1] =
          priorValue_[k] + (k < positives_ ? static_cast<double>(entries_[k].Most) * entries_[k].Value : 0.0);
    }
    for (size_t k = count; k-- > 0;)
      laterWeight_[k] = laterWeight_[k + 1] + entries_[k].Most * entries_[k].Weight;
    const double scale = std::max(std::fabs(minValue), Bound(0, capacity_));
    threshold_ = minValue - kRelativeTolerance * scale;
    FillLaterBest();
  }

  // False when a limit or the stop ended the search.
  bool Run() { return Visit(0, capacity_, 0.0, kNoneOpen); }

 private:
  // `open`: the lightest weight of an item already left short of its demand;
  // a maximal pattern ends with less room than that.
  bool Visit(size_t depth, int64_t room, double value, int64_t open) {
    if (depth == entries_.size()) {
      if (room < open && value >= threshold_) return Emit();
      return true;
    }
    const Entry& entry = entries_[depth];
    for (int64_t count = std::min(entry.Most, room / entry.Weight); count >= 0; --count) {
      if (!CountNode()) return false;
      const int64_t left = room - count * entry.Weight;
      const int64_t nowOpen = count < entry.Demand ? std::min(open, entry.Weight) : open;
      // Even all the later pieces leave room for one that is missing; fewer
      // of this item leave more room and no heavier gap.
      if (left - laterWeight_[depth + 1] >= nowOpen) break;
      const double reached = value + static_cast<double>(count) * entry.Value;
      if (reached + Bound(depth + 1, left) < threshold_) {
        // Fewer pieces of an item worth at least the later ones reach no higher.
        if (entry.Value >= 0) break;
        continue;
      }
      // Whole pieces can fall short of the fractional bound, but fewer of
      // this item may leave room that later ones use better.
      if (!laterBest_.empty() && reached + LaterBest(depth + 1, left) < threshold_) continue;
      pieces_[entry.Item] = static_cast<int32_t>(count);
      if (!Visit(depth + 1, left, reached, nowOpen)) return false;
    }
    pieces_[entry.Item] = 0;
    return true;
  }

  // The most the entries from `from` on can add in `room`, their pieces cut
  // fractionally (those of no or negative value add nothing).
  double Bound(size_t from, int64_t room) const {
    if (from >= positives_) return 0;
    const int64_t reach = priorWeight_[from] + room;
    const auto first = priorWeight_.begin() + static_cast<std::ptrdiff_t>(from);
    const auto last = priorWeight_.begin() + static_cast<std::ptrdiff_t>(positives_) + 1;
    const auto whole = static_cast<size_t>(std::upper_bound(first, last, reach) - priorWeight_.begin()) - 1;
    double bound = priorValue_[whole] - priorValue_[from];
    if (whole < positives_)
      bound += static_cast<double>(reach - priorWeight_[whole]) * entries_[whole].Density;
    return bound;
  }

  // The knapsack of the positive entries from each one on, whole pieces, by
  // dynamic programming over the room in steps of the weights' common divisor.
  void FillLaterBest() {
    int64_t step = 0;
    for (size_t k = 0; k < positives_; ++k) step = std::gcd(step, entries_[k].Weight);
    if (step == 0) return;
    const int64_t steps = capacity_ / step;
    if (static_cast<int64_t>(positives_ + 1) * (steps + 1) > kMaxLaterBest) return;
    step_ = step;
    width_ = static_cast<size_t>(steps) + 1;
    laterBest_.assign((positives_ + 1) * width_, 0.0);
    for (size_t k = positives_; k-- > 0;) {
      double* row = &laterBest_[k * width_];
      std::copy_n(&laterBest_[(k + 1) * width_], width_, row);
      const Entry& entry = entries_[k];
      int64_t left = entry.Most;
      for (int64_t pieces = 1; left > 0; pieces *= 2) {
        const int64_t take = std::min(pieces, left);
        left -= take;
        const auto weight = static_cast<size_t>(take * entry.Weight / step);
        const double value = static_cast<double>(take) * entry.Value;
        for (size_t room = width_; room-- > weight;)
          row[room] = std::max(row[room], row[room - weight] + value);
      }
    }
  }

  // The table's answer: the most the entries from `from` on add in `room`.
  double LaterBest(size_t from, int64_t room) const {
    if (from >= positives_) return 0;
    return laterBest_[from * width_ + static_cast<size_t>(room / step_)];
  }

  bool CountNode() {
    if (out_.Nodes >= limits_.MaxNodes) return false;
    if ((out_.Nodes & kStopPollMask) == 0 && limits_.Stop != nullptr &&
        limits_.Stop->load(std::memory_order_relaxed)) {
      return false;
    }
    ++out_.Nodes;
    return true;
  }

  bool Emit() {
    if (out_.Patterns.size() >= limits_.MaxPatterns) return false;
    out_.Patterns.push_back({type_, pieces_});
    return true;
  }

  int32_t type_;
  int64_t capacity_;
  const EnumerationLimits& limits_;
  PatternEnumeration& out_;
  std::vector<Entry> entries_;
  size_t positives_ = 0;              // entries of positive value, which come first
  std::vector<int64_t> priorWeight_;  // per entry: the weight of every piece of the entries before it
  std::vector<double> priorValue_;    // the same for the value, over the positive entries
  std::vector<int64_t> laterWeight_;  // per entry: the weight of every piece of it and the entries after
  double threshold_ = 0;
  int64_t step_ = 1;
  size_t width_ = 0;
  std::vector<double> laterBest_;  // per positive entry and room in steps; empty when too large
  std::vector<int32_t> pieces_;    // per item: the branch's counts
};

}  // namespace

PatternEnumeration EnumeratePatterns(const CuttingModel& model, const std::vector<double>& values,
                                     const std::vector<double>& minValue, const EnumerationLimits& limits) {
  PatternEnumeration result;
  // The search calls itself once per item, so its depth is the items': a
  // job's cut rows bound them. A model with more is not listed.
  if (model.Items.size() > static_cast<size_t>(kTableCapacity)) {
    result.Complete = false;
    return result;
  }
  for (int32_t t = 0; t < static_cast<int32_t>(model.Types.size()); ++t) {
    if (model.Types[t].MaxBars <= 0) continue;
    TypeSearch search(model, values, t, minValue[t], limits, result);
    if (!search.Run()) {
      result.Complete = false;
      break;
    }
  }
  return result;
}

}  // namespace yobina
