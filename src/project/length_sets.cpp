#include "project/length_sets.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "project/purchase_bounds.h"
#include "project/section_pricing.h"

namespace yobina {
namespace {

std::vector<std::vector<int32_t>> SetsOf(const SectionInput& section, int32_t k, bool singlesToo) {
  const int32_t needed = NeededLength(section);
  std::vector<int32_t> lengths;
  for (const BuyableLength& length : section.Lengths) lengths.push_back(length.Length);
  const size_t n = lengths.size();
  std::vector<std::vector<int32_t>> sets;
  if (k == 1 || n == 1 || singlesToo) {
    for (const int32_t length : lengths) {
      if (Holds(section, length, needed)) sets.push_back({length});
    }
  }
  if (k == 2) {
    for (size_t i = 0; i < n; ++i) {
      for (size_t j = i + 1; j < n; ++j) {
        if (Holds(section, lengths[j], needed)) sets.push_back({lengths[i], lengths[j]});
      }
    }
  }
  std::sort(sets.begin(), sets.end());
  return sets;
}

}  // namespace

int32_t NeededLength(const SectionInput& section) {
  int32_t needed = 0;
  for (const CutRow& row : section.Cuts) {
    const bool onHand =
        std::any_of(section.OnHand.begin(), section.OnHand.end(),
                    [&](const BarsOnHand& bars) { return Holds(section, bars.Length, row.Length); });
    if (!onHand) needed = std::max(needed, row.Length);
  }
  return needed;
}

bool Holds(const SectionInput& section, int32_t length, int32_t needed) {
  return int64_t{length} + section.Margin >= needed;
}

std::vector<LengthSet> LengthSets(const SectionInput& section, int32_t k, bool byCost, double floor,
                                  const std::map<int32_t, int64_t>& usage) {
  // Bars on hand change what must be bought; the bounds hold only without them.
  const bool bounded = section.OnHand.empty() && (!byCost || k == 1);
  std::vector<LengthSet> sets;
  std::vector<std::tuple<double, int64_t, int64_t>> order;  // bound, -usage, bars
  for (std::vector<int32_t>& lengths : SetsOf(section, k, byCost)) {
    LengthSet set;
    if (bounded) {
      const PurchaseBound bound = BoundFor(section, lengths);
      set.LeastBars = bound.Bars;
      set.LeastPrimary = byCost ? BarYen(section, lengths[0]).value_or(0) * static_cast<double>(bound.Bars)
                                : static_cast<double>(bound.StockMm);
    }
    int64_t used = 0;
    for (const int32_t length : lengths) {
      if (const auto at = usage.find(length); at != usage.end()) used += at->second;
    }
    order.emplace_back(std::max(set.LeastPrimary, floor), -used, set.LeastBars);
    set.Lengths = std::move(lengths);
    sets.push_back(std::move(set));
  }
  std::vector<size_t> index(sets.size());
  for (size_t i = 0; i < index.size(); ++i) index[i] = i;
  std::stable_sort(index.begin(), index.end(), [&](size_t a, size_t b) { return order[a] < order[b]; });
  std::vector<LengthSet> sorted;
  for (const size_t i : index) sorted.push_back(std::move(sets[i]));
  return sorted;
}

bool CannotBeat(const LengthSet& set, double floor, double bestPrimary) {
  // A set that could at best tie is not planned: its plan would only change
  // which of two equal purchases is taken, at the price of a whole plan.
  return std::max(set.LeastPrimary, floor) >= bestPrimary - 1e-9 * std::max(bestPrimary, 1.0);
}

}  // namespace yobina
