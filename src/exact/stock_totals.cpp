#include "exact/stock_totals.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

namespace yobina {

namespace {

constexpr int64_t kMaxListedSteps = int64_t{1} << 26;

struct TotalsRange {
  int64_t Fixed = 0;    // the forced bars' total
  int64_t Most = 0;     // every bar
  int64_t Divisor = 0;  // of the lengths whose bar count is free; 0: none
};

TotalsRange RangeOf(const CuttingModel& model) {
  TotalsRange range;
  for (const StockType& type : model.Types) {
    range.Fixed += int64_t{type.Length} * type.MinBars;
    range.Most += int64_t{type.Length} * type.MaxBars;
    if (type.MaxBars > type.MinBars) range.Divisor = std::gcd(range.Divisor, int64_t{type.Length});
  }
  return range;
}

// Bit s: the total fixed + s * divisor is reachable, for s up to `last`.
std::vector<uint64_t> ReachableTotals(const CuttingModel& model, const TotalsRange& range, int64_t last) {
  std::vector<uint64_t> reachable(static_cast<size_t>(last / 64 + 1), 0);
  reachable[0] = 1;
  for (const StockType& type : model.Types) {
    AddBars(reachable, type.Length / range.Divisor, type.MaxBars - type.MinBars);
  }
  return reachable;
}

bool IsSet(const std::vector<uint64_t>& bits, int64_t at) {
  return (bits[static_cast<size_t>(at / 64)] >> (at % 64) & 1) != 0;
}

// The mixes of bars, within the types' limits, whose lengths come to a total:
// found by a search that only enters a type's count when the types after it
// can still make up the rest (bitsets of the sums they can make).
class MixLister {
 public:
  MixLister(const CuttingModel& model, int64_t total, size_t maxMixes)
      : model_(model), maxMixes_(maxMixes), mix_(model.Types.size(), 0) {
    int64_t forced = 0;
    for (const StockType& type : model.Types) {
      forced += int64_t{type.Length} * type.MinBars;
      if (type.MaxBars > type.MinBars) divisor_ = std::gcd(divisor_, int64_t{type.Length});
    }
    extra_ = total - forced;
    if (extra_ < 0 || (divisor_ == 0 ? extra_ != 0 : extra_ % divisor_ != 0)) return;
    if (divisor_ == 0) divisor_ = 1;
    const int64_t steps = extra_ / divisor_;
    if (steps >= kMaxSteps) {
      tooFar_ = true;
      return;
    }
    later_.assign(model.Types.size() + 1, std::vector<uint64_t>(static_cast<size_t>(steps / 64 + 1), 0));
    later_.back()[0] = 1;
    for (size_t t = model.Types.size(); t-- > 0;) {
      later_[t] = later_[t + 1];
      const StockType& type = model.Types[t];
      AddBars(later_[t], type.Length / divisor_, type.MaxBars - type.MinBars);
    }
  }

  std::optional<std::vector<std::vector<int32_t>>> List() {
    if (tooFar_) return std::nullopt;
    if (!later_.empty() && Reachable(0, extra_ / divisor_)) Walk(extra_ / divisor_);
    return mixes_;
  }

 private:
  static constexpr int64_t kMaxSteps = int64_t{1} << 24;

  bool Reachable(size_t type, int64_t steps) const {
    return steps >= 0 && (later_[type][static_cast<size_t>(steps / 64)] >> (steps % 64) & 1) != 0;
  }

  // Depth first over the types, each type's count from its least up; its own
  // stack (the count to try next and the steps left, per type) rather than
  // one call per type.
  void Walk(int64_t steps) {
    const size_t types = model_.Types.size();
    if (maxMixes_ == 0) return;
    next_.assign(types, 0);
    rest_.assign(types + 1, 0);
    rest_[0] = steps;
    size_t type = 0;
    for (;;) {
      if (type == types) {
        mixes_.push_back(mix_);
        if (mixes_.size() >= maxMixes_ || type == 0) return;
        --type;
      } else if (Advance(type)) {
        ++type;
        if (type < types) next_[type] = 0;
      } else if (type == 0) {
        return;
      } else {
        --type;
      }
    }
  }

  // Takes the next count of `type` whose rest the types after it can make
  // up; false when there is none.
  bool Advance(size_t type) {
    const StockType& here = model_.Types[type];
    const int64_t stepsPerBar = here.Length / divisor_;
    const int64_t most = int64_t{here.MaxBars} - here.MinBars;
    for (int64_t extra = next_[type]; extra <= most; ++extra) {
      const int64_t rest = rest_[type] - extra * stepsPerBar;
      if (rest < 0) return false;
      if (!Reachable(type + 1, rest)) continue;
      mix_[type] = static_cast<int32_t>(here.MinBars + extra);
      rest_[type + 1] = rest;
      // Without steps every count leaves the same rest: the least does.
      next_[type] = stepsPerBar == 0 ? most + 1 : extra + 1;
      return true;
    }
    return false;
  }

  const CuttingModel& model_;
  size_t maxMixes_;
  int64_t divisor_ = 0;
  int64_t extra_ = 0;                         // the total less the forced bars
  bool tooFar_ = false;                       // too many steps above the forced bars to list
  std::vector<std::vector<uint64_t>> later_;  // per type: the sums the types from it on can add
  std::vector<int32_t> mix_;
  std::vector<int64_t> next_;  // per type: the count over its least to try next
  std::vector<int64_t> rest_;  // per type: the steps it and the types after it make up
  std::vector<std::vector<int32_t>> mixes_;
};

}  // namespace

void AddBars(std::vector<uint64_t>& reachable, int64_t steps, int64_t count) {
  const int64_t bits = static_cast<int64_t>(reachable.size()) * 64;
  for (int64_t chunk = 1; count > 0 && steps > 0; chunk *= 2) {
    const int64_t take = std::min(chunk, count);
    count -= take;
    const int64_t shift = take * steps;
    if (shift >= bits) continue;
    const auto words = static_cast<size_t>(shift / 64);
    const auto offset = static_cast<unsigned>(shift % 64);
    for (size_t w = reachable.size(); w-- > words;) {
      uint64_t moved = reachable[w - words] << offset;
      if (offset != 0 && w > words) moved |= reachable[w - words - 1] >> (64 - offset);
      reachable[w] |= moved;
    }
  }
}

int64_t StockTotalUnder(const CuttingModel& model, int64_t below) {
  const TotalsRange range = RangeOf(model);
  if (below <= range.Fixed) return below - 1;  // no total at all: any cutoff under the forced bars does
  if (range.Divisor == 0) return range.Fixed;
  const int64_t last = (std::min(below - 1, range.Most) - range.Fixed) / range.Divisor;
  if (last >= kMaxListedSteps) return range.Fixed + last * range.Divisor;
  const std::vector<uint64_t> reachable = ReachableTotals(model, range, last);
  int64_t step = last;
  while (!IsSet(reachable, step)) --step;  // step 0, the forced bars alone, is always reachable
  return range.Fixed + step * range.Divisor;
}

int64_t RoundUpToStockTotal(const CuttingModel& model, double bound, int64_t ceiling) {
  // Totals are whole millimetres; a hair below the bound is rounding noise.
  const double lowest = std::ceil(bound - 1e-6 * std::max(1.0, std::abs(bound)));
  const int64_t least = !(lowest > -9e18)
                            ? std::numeric_limits<int64_t>::min()  // also before any bound is known
                        : lowest >= 9e18 ? std::numeric_limits<int64_t>::max()
                                         : static_cast<int64_t>(lowest);
  return StockTotalFrom(model, least, ceiling);
}

int64_t StockTotalFrom(const CuttingModel& model, int64_t least, int64_t ceiling) {
  const TotalsRange range = RangeOf(model);
  if (least <= range.Fixed) return range.Fixed;
  if (least > range.Most) return std::numeric_limits<int64_t>::max();
  if (range.Divisor == 0) return range.Fixed;  // nothing to choose, and fixed < least <= most cannot happen
  const int64_t divisor = range.Divisor;
  const int64_t roughly = range.Fixed + (least - range.Fixed + divisor - 1) / divisor * divisor;
  const int64_t last = (std::min(ceiling, range.Most) - range.Fixed) / divisor;
  if (roughly > std::min(ceiling, range.Most) || last >= kMaxListedSteps) return roughly;

  const std::vector<uint64_t> reachable = ReachableTotals(model, range, last);
  for (int64_t step = (roughly - range.Fixed) / divisor; step <= last; ++step) {
    if (IsSet(reachable, step)) return range.Fixed + step * divisor;
  }
  return range.Fixed + (last + 1) * divisor;  // no total up to the ceiling: the next one lies beyond
}

std::optional<std::vector<std::vector<int32_t>>> ListMixes(const CuttingModel& model, int64_t total,
                                                           size_t maxMixes) {
  return MixLister(model, total, maxMixes).List();
}

}  // namespace yobina
