#include "project/purchase_bounds.h"

#include <algorithm>
#include <cmath>

namespace yobina {
namespace {

struct Item {
  int64_t Weight;  // length + kerf
  int64_t Demand;
};

constexpr int64_t kMostK = 20;  // u^k for k = 1..20, and no u^k

int64_t CeilDiv(int64_t a, int64_t b) {
  return a <= 0 ? 0 : (a + b - 1) / b;
}

// A piece's share of a bar: Martello and Toth's rounding (over C - eps a
// whole bar, under eps nothing), then Fekete and Schepers' u^k (k = 0: none,
// which keeps the bound of the pieces' length; u^k drops pieces under C / (k + 1)).
double Share(int64_t weight, int64_t capacity, int64_t eps, int64_t k) {
  if (weight > capacity - eps) return 1;
  if (weight < eps) return 0;
  if (k == 0 || (k + 1) * weight % capacity == 0)
    return static_cast<double>(weight) / static_cast<double>(capacity);
  return static_cast<double>((k + 1) * weight / capacity) / static_cast<double>(k);
}

// What one of the functions says: the pieces weigh Total bars of capacity C,
// and a bar of the shorter length (capacity c <= C) holds at most Short of
// that (the functions are superadditive and never fall, so a bar holds no
// more than its capacity weighs).
struct Weighing {
  double Total = 0;
  double Short = 0;
};

std::vector<int64_t> Thresholds(const std::vector<Item>& items, int64_t capacity) {
  std::vector<int64_t> thresholds{0};
  for (const Item& item : items) {
    if (2 * item.Weight <= capacity) thresholds.push_back(item.Weight);
  }
  std::sort(thresholds.begin(), thresholds.end());
  thresholds.erase(std::unique(thresholds.begin(), thresholds.end()), thresholds.end());
  return thresholds;
}

// Every function's weighing, without those another outdoes (more weight, a
// short bar holding no more).
std::vector<Weighing> Weighings(const std::vector<Item>& items, int64_t capacity, int64_t shortCapacity) {
  std::vector<Weighing> all;
  for (const int64_t eps : Thresholds(items, capacity)) {
    for (int64_t k = 0; k <= kMostK; ++k) {
      Weighing weighing;
      for (const Item& item : items)
        weighing.Total += static_cast<double>(item.Demand) * Share(item.Weight, capacity, eps, k);
      // Rounding noise must never lift a bound past a whole number it only reaches.
      weighing.Total -= 1e-7 * std::max(weighing.Total, 1.0);
      weighing.Short = Share(std::min(shortCapacity, capacity), capacity, eps, k);
      all.push_back(weighing);
    }
  }
  std::sort(all.begin(), all.end(), [](const Weighing& a, const Weighing& b) {
    return a.Short != b.Short ? a.Short < b.Short : a.Total > b.Total;
  });
  std::vector<Weighing> kept;
  for (const Weighing& weighing : all) {
    if (kept.empty() || weighing.Total > kept.back().Total) kept.push_back(weighing);
  }
  return kept;
}

// The least bars that can hold the items, by the best of the functions.
int64_t BarsNeeded(const std::vector<Item>& items, int64_t capacity) {
  int64_t best = 0;
  for (const Weighing& weighing : Weighings(items, capacity, capacity))
    best = std::max(best, static_cast<int64_t>(std::ceil(weighing.Total)));
  return best;
}

}  // namespace

PurchaseBound BoundFor(const SectionInput& section, const std::vector<int32_t>& lengths) {
  std::vector<Item> items;
  for (const CutRow& row : section.Cuts) items.push_back({int64_t{row.Length} + section.Kerf, row.Count});
  const auto capacityOf = [&](int64_t length) { return length + section.Margin + section.Kerf; };
  if (lengths.size() == 1) {
    const int64_t bars = BarsNeeded(items, capacityOf(lengths[0]));
    return {bars * lengths[0], bars};
  }
  const int64_t shorter = std::min(lengths[0], lengths[1]);
  const int64_t longer = std::max(lengths[0], lengths[1]);
  const int64_t shortCapacity = capacityOf(shorter);
  const int64_t longCapacity = capacityOf(longer);
  std::vector<Item> tooLong;
  int64_t weight = 0;
  for (const Item& item : items) {
    weight += item.Weight * item.Demand;
    if (item.Weight > shortCapacity) tooLong.push_back(item);
  }
  const std::vector<Weighing> weighings = Weighings(items, longCapacity, shortCapacity);
  int64_t onlyLong = CeilDiv(weight, longCapacity);  // long bars enough for every function
  for (const Weighing& weighing : weighings)
    onlyLong = std::max(onlyLong, static_cast<int64_t>(std::ceil(weighing.Total)));
  // For each count of long bars, the fewest short bars every function allows.
  PurchaseBound best{INT64_MAX, 0};
  for (int64_t longBars = BarsNeeded(tooLong, longCapacity); longBars <= onlyLong; ++longBars) {
    int64_t shortBars = CeilDiv(weight - longBars * longCapacity, shortCapacity);
    bool possible = true;
    for (const Weighing& weighing : weighings) {
      const double missing = weighing.Total - static_cast<double>(longBars);
      if (missing <= 0) continue;
      if (weighing.Short <= 0) {
        possible = false;
        break;
      }
      shortBars = std::max(shortBars, static_cast<int64_t>(std::ceil(missing / weighing.Short - 1e-9)));
    }
    if (!possible) continue;
    best.StockMm = std::min(best.StockMm, longBars * longer + shortBars * shorter);
  }
  // A short bar weighs no more than a long one: every count holds for both together.
  best.Bars = CeilDiv(weight, longCapacity);
  for (const Weighing& weighing : weighings)
    best.Bars = std::max(best.Bars, static_cast<int64_t>(std::ceil(weighing.Total)));
  return best;
}

}  // namespace yobina
