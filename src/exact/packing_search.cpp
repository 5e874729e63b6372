#include "exact/packing_search.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "exact/stock_totals.h"

namespace yobina {

namespace {

// Mixes of bars tried for one total: past this many the total is left.
constexpr size_t kMaxMixes = 32;
constexpr int64_t kNodesBetweenClockChecks = 4096;
// The sums tables of all the bars on the way may hold this many words (64 MB):
// past it the search ends as out of nodes. Plans of thousands of bars on
// bars of many steps would otherwise take gigabytes.
constexpr size_t kMaxReachWords = size_t{8} << 20;

// Fills the bars of one mix, the longest piece left first into each bar.
class Packer {
 public:
  Packer(const CuttingModel& model, std::vector<int32_t> barsLeft, int64_t& nodes, int64_t maxNodes,
         const Deadline& deadline)
      : model_(model),
        barsLeft_(std::move(barsLeft)),
        nodes_(nodes),
        maxNodes_(maxNodes),
        deadline_(deadline) {
    order_.resize(model.Items.size());
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(),
                     [&](int32_t a, int32_t b) { return model.Items[a].Weight > model.Items[b].Weight; });
    typeOrder_.resize(model.Types.size());
    std::iota(typeOrder_.begin(), typeOrder_.end(), 0);
    std::stable_sort(typeOrder_.begin(), typeOrder_.end(),
                     [&](int32_t a, int32_t b) { return model.Types[a].Capacity < model.Types[b].Capacity; });
    for (const CutItem& item : model.Items) {
      left_.push_back(item.Demand);
      step_ = std::gcd(step_, item.Weight);
    }
    step_ = std::max<int64_t>(step_, 1);
    for (const StockType& type : model.Types)
      widest_ = std::max(widest_, std::max<int64_t>(type.Capacity, 0) / step_);
    fill_.assign(model.Items.size(), 0);
  }

  // Whether the pieces fit the bars, wasting at most `budget` of their capacity.
  bool Pack(int64_t budget) {
    std::optional<bool> answer = OpenBar(budget, 0);
    while (!stack_.empty()) answer = Continue(answer);
    return *answer;
  }
  bool Aborted() const { return aborted_; }
  const std::vector<std::pair<int32_t, std::vector<int32_t>>>& Bars() const { return placed_; }
  const std::vector<int32_t>& Idle() const { return idle_; }  // per type: bars cut to nothing

 private:
  // The search keeps its own stack, as a plan may take many thousands of bars:
  // one frame per bar being placed, per piece whose count a bar is choosing,
  // and per full bar waiting on the bars after it. A step either finishes a
  // frame with an answer, which goes to the frame below, or opens a new one
  // (nullopt), which takes the next step.
  enum class Step : uint8_t { Bar, Count, Full };
  struct Frame {
    Step What = Step::Bar;
    int32_t Type = 0;    // the bar's type (Bar: the type being tried)
    size_t At = 0;       // Count: the piece, in order_
    size_t First = 0;    // the longest piece left, which the bar takes
    int64_t Room = 0;    // Count: the bar's room before this piece
    int64_t Budget = 0;  // the waste this bar and the ones after may still make
    size_t Depth = 0;    // the bar's place in the plan: its row of levels_
    int64_t Next = 0;    // Bar: the next of typeOrder_ to try; Count: the count tried
  };

  std::optional<bool> Continue(std::optional<bool> answer) {
    switch (stack_.back().What) {
      case Step::Bar:
        return ContinueBar(answer);
      case Step::Count:
        return ContinueCount(answer);
      case Step::Full:
        break;
    }
    // A full bar stays when the bars after it found their place.
    fill_ = placed_.back().second;
    if (!*answer) placed_.pop_back();
    stack_.pop_back();
    return answer;
  }

  // The next bar: each type in turn, with the longest piece left.
  std::optional<bool> OpenBar(int64_t budget, size_t depth) {
    size_t first = 0;
    while (first < order_.size() && left_[order_[first]] == 0) ++first;
    if (first == order_.size()) {
      // Every piece is placed; the bars left are cut to nothing.
      idle_ = barsLeft_;
      return true;
    }
    if (!Reach(first, depth)) {
      aborted_ = true;
      return false;
    }
    stack_.push_back({Step::Bar, 0, 0, first, 0, budget, depth, 0});
    return std::nullopt;
  }

  std::optional<bool> ContinueBar(std::optional<bool> packed) {
    Frame& bar = stack_.back();
    if (packed) {
      ++barsLeft_[bar.Type];
      if (*packed || aborted_) return Finish(*packed);
    }
    const int64_t longest = model_.Items[order_[bar.First]].Weight;
    while (bar.Next < static_cast<int64_t>(typeOrder_.size())) {
      const int32_t type = typeOrder_[bar.Next++];
      const int64_t capacity = model_.Types[type].Capacity;
      if (barsLeft_[type] == 0 || capacity < longest) continue;
      --barsLeft_[type];
      bar.Type = type;
      return OpenCount(type, bar.First, bar.First, capacity, bar.Budget, bar.Depth);
    }
    return Finish(false);
  }

  // The counts of the pieces from `at` on, longest first; `first` is the
  // longest piece left, which this bar takes.
  std::optional<bool> OpenCount(int32_t type, size_t at, size_t first, int64_t room, int64_t budget,
                                size_t depth) {
    if (++nodes_ > maxNodes_ || (nodes_ % kNodesBetweenClockChecks == 0 && deadline_.Passed())) {
      aborted_ = true;
      return false;
    }
    // The pieces still to choose must be able to bring the room within the budget.
    const Level& level = levels_[depth];
    if (!CanFill(level.Sums[at - level.First], room, budget)) return false;
    if (at == order_.size()) {
      placed_.emplace_back(type, fill_);
      std::fill(fill_.begin(), fill_.end(), 0);
      stack_.push_back({Step::Full});
      return OpenBar(budget - room, depth + 1);
    }
    const int32_t item = order_[at];
    const int64_t most = std::min<int64_t>(left_[item], room / model_.Items[item].Weight);
    stack_.push_back({Step::Count, type, at, first, room, budget, depth, most});
    return std::nullopt;
  }

  std::optional<bool> ContinueCount(std::optional<bool> packed) {
    Frame& choice = stack_.back();
    const int32_t item = order_[choice.At];
    const auto count = static_cast<int32_t>(choice.Next);
    if (packed) {
      left_[item] += count;
      fill_[item] = 0;
      if (*packed || aborted_) return Finish(*packed);
      --choice.Next;
    }
    if (choice.Next < (choice.At == choice.First ? 1 : 0)) return Finish(false);
    const auto next = static_cast<int32_t>(choice.Next);
    fill_[item] = next;
    left_[item] -= next;
    return OpenCount(choice.Type, choice.At + 1, choice.First, choice.Room - next * model_.Items[item].Weight,
                     choice.Budget, choice.Depth);
  }

  bool Finish(bool answer) {
    stack_.pop_back();
    return answer;
  }

  // The sums (in steps) the pieces left from order_[k] on can make, for k
  // from the bar's longest piece on (Sums[k - First]), for the bar filled at
  // one depth. The bar's own choices never touch the pieces after the one
  // being chosen, so these stay exact.
  struct Level {
    size_t First = 0;
    std::vector<std::vector<uint64_t>> Sums;
  };

  // False when the tables would grow past kMaxReachWords.
  bool Reach(size_t first, size_t depth) {
    if (levels_.size() <= depth) levels_.resize(depth + 1);
    Level& level = levels_[depth];
    const auto words = static_cast<size_t>(widest_ / 64 + 1);
    const size_t rows = order_.size() + 1 - first;
    if (words > kMaxReachWords / rows) return false;
    const size_t held = heldWords_ - level.Sums.size() * words + rows * words;
    if (held > kMaxReachWords) return false;
    heldWords_ = held;
    level.First = first;
    std::vector<std::vector<uint64_t>>& reach = level.Sums;
    reach.resize(rows);
    reach[rows - 1].assign(words, 0);
    reach[rows - 1][0] = 1;
    for (size_t k = order_.size(); k-- > first;) {
      reach[k - first] = reach[k + 1 - first];
      AddBars(reach[k - first], model_.Items[order_[k]].Weight / step_, left_[order_[k]]);
    }
    return true;
  }

  // Whether some sum in `reach` lies in [room - budget, room].
  bool CanFill(const std::vector<uint64_t>& reach, int64_t room, int64_t budget) const {
    int64_t high = std::min(room / step_, widest_);
    const int64_t low = std::max<int64_t>(0, (room - budget + step_ - 1) / step_);
    for (; high >= low; --high) {
      const uint64_t word = reach[static_cast<size_t>(high / 64)];
      if (word == 0) {
        high -= high % 64;  // the loop's step takes it to the word below
        continue;
      }
      if ((word >> (high % 64) & 1) != 0) return true;
    }
    return false;
  }

  const CuttingModel& model_;
  int64_t step_ = 0;           // the common divisor of the pieces' weights
  int64_t widest_ = 0;         // the longest capacity, in steps
  std::vector<Level> levels_;  // per depth
  size_t heldWords_ = 0;       // in the levels' tables
  std::vector<int32_t> barsLeft_;
  int64_t& nodes_;
  int64_t maxNodes_;
  const Deadline& deadline_;
  std::vector<int32_t> order_;      // items, longest first
  std::vector<int32_t> typeOrder_;  // types, shortest first
  std::vector<int32_t> left_;       // pieces still to place, per item
  std::vector<int32_t> fill_;       // the bar being filled, per item
  std::vector<std::pair<int32_t, std::vector<int32_t>>> placed_;
  std::vector<int32_t> idle_;
  std::vector<Frame> stack_;
  bool aborted_ = false;
};

}  // namespace

std::optional<PackedPlan> PackToTotal(const CuttingModel& model, int64_t total, int64_t maxNodes,
                                      const Deadline& deadline) {
  const std::optional<std::vector<std::vector<int32_t>>> mixes = ListMixes(model, total, kMaxMixes);
  if (!mixes) return std::nullopt;
  int64_t weight = 0;
  for (const CutItem& item : model.Items) weight += item.Weight * item.Demand;
  int64_t nodes = 0;
  for (const std::vector<int32_t>& bars : *mixes) {
    int64_t capacity = 0;
    for (size_t t = 0; t < bars.size(); ++t) capacity += model.Types[t].Capacity * bars[t];
    if (capacity < weight) continue;
    Packer packer(model, bars, nodes, maxNodes, deadline);
    if (packer.Pack(capacity - weight)) {
      PackedPlan plan;
      for (const auto& [type, pieces] : packer.Bars()) {
        plan.Patterns.push_back({type, pieces});
        plan.Bars.push_back(1);
      }
      // One pattern a type for the empty bars, which may be millions.
      for (int32_t t = 0; t < static_cast<int32_t>(packer.Idle().size()); ++t) {
        if (packer.Idle()[t] == 0) continue;
        plan.Patterns.push_back({t, std::vector<int32_t>(model.Items.size(), 0)});
        plan.Bars.push_back(packer.Idle()[t]);
      }
      plan.StockLength = total;
      return plan;
    }
    if (packer.Aborted()) break;
  }
  return std::nullopt;
}

}  // namespace yobina
