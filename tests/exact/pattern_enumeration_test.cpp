// The enumeration against brute force on small random models, its limits,
// and its order.
#include "exact/pattern_enumeration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <random>
#include <set>
#include <utility>

namespace yobina {
namespace {

using PatternSet = std::set<std::pair<int32_t, std::vector<int32_t>>>;

struct Valued {
  CutPattern Pattern;
  double Value;
};

// Every maximal pattern of every type with bars, by trying every count vector.
std::vector<Valued> AllMaximalPatterns(const CuttingModel& model, const std::vector<double>& values) {
  std::vector<Valued> all;
  const size_t items = model.Items.size();
  for (int32_t t = 0; t < static_cast<int32_t>(model.Types.size()); ++t) {
    if (model.Types[t].MaxBars <= 0) continue;
    const int64_t capacity = std::max<int64_t>(model.Types[t].Capacity, 0);
    std::vector<int32_t> pieces(items, 0);
    while (true) {
      const int64_t room = capacity - PatternWeight(model, {t, pieces});
      bool maximal = room >= 0;
      for (size_t i = 0; i < items && maximal; ++i) {
        maximal = pieces[i] == model.Items[i].Demand || model.Items[i].Weight > room;
      }
      if (maximal) {
        double value = 0;
        for (size_t i = 0; i < items; ++i) value += pieces[i] * values[i];
        all.push_back({{t, pieces}, value});
      }
      size_t i = 0;
      while (i < items && pieces[i] == model.Items[i].Demand) pieces[i++] = 0;
      if (i == items) break;
      ++pieces[i];
    }
  }
  return all;
}

// The list holds every pattern at or above its type's limit and none more than
// a rounding error below it, each once.
void ExpectBruteForceList(const CuttingModel& model, const std::vector<double>& values,
                          const std::vector<double>& minValue) {
  const PatternEnumeration found = EnumeratePatterns(model, values, minValue, {});
  ASSERT_TRUE(found.Complete);
  PatternSet listed;
  for (const CutPattern& p : found.Patterns) {
    EXPECT_TRUE(listed.insert({p.Type, p.Pieces}).second) << "listed twice";
  }
  PatternSet must, may;
  for (const Valued& v : AllMaximalPatterns(model, values)) {
    const double limit = minValue[v.Pattern.Type];
    const double scale = std::max(std::fabs(limit), 1.0);
    if (v.Value >= limit - 1e-12 * scale) must.insert({v.Pattern.Type, v.Pattern.Pieces});
    if (v.Value >= limit - 1e-6 * scale) may.insert({v.Pattern.Type, v.Pattern.Pieces});
  }
  for (const auto& p : must) EXPECT_TRUE(listed.count(p)) << "missing a pattern of type " << p.first;
  for (const auto& p : listed) EXPECT_TRUE(may.count(p)) << "extra pattern of type " << p.first;
}

StockType Type(int64_t capacity, int32_t maxBars) {
  StockType type;
  type.Length = static_cast<int32_t>(std::max<int64_t>(capacity, 1));
  type.Capacity = capacity;
  type.MaxBars = maxBars;
  type.OnHand = maxBars;
  return type;
}

// Up to seven items, some of equal weight; up to three types, one at times
// without bars, with a bar shorter than some piece or a capacity under zero.
// Scaled up, the bars are too long for the whole-piece bound's table.
CuttingModel RandomModel(std::mt19937& rng, int64_t scale) {
  CuttingModel model;
  const int items = std::uniform_int_distribution<int>(1, 7)(rng);
  for (int i = 0; i < items; ++i) {
    const int64_t weight =
        50 * scale * std::uniform_int_distribution<int64_t>(2, 24)(rng) + (scale > 1 ? 1 : 0);
    model.Items.push_back({i + 1, weight, std::uniform_int_distribution<int32_t>(1, 4)(rng)});
  }
  const int types = std::uniform_int_distribution<int>(1, 3)(rng);
  for (int t = 0; t < types; ++t) {
    model.Types.push_back(Type(scale * std::uniform_int_distribution<int64_t>(-300, 3000)(rng),
                               std::uniform_int_distribution<int32_t>(0, 4)(rng) > 0 ? 5 : 0));
  }
  return model;
}

TEST(PatternEnumeration, ListsWhatBruteForceFindsForAnyValues) {
  std::mt19937 rng(20240611);
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE(trial);
    const CuttingModel model = RandomModel(rng, trial % 4 == 3 ? 10000 : 1);
    const size_t items = model.Items.size();
    const std::vector<double> anyValue(model.Types.size(), -1e9);

    // No value at all: every maximal pattern, the zero-value case at its largest.
    ExpectBruteForceList(model, std::vector<double>(items, 0.0),
                         std::vector<double>(model.Types.size(), 0.0));

    // Whole values with zeros among them, the limit a few below the best.
    std::vector<double> whole(items);
    for (double& v : whole) v = std::uniform_int_distribution<int>(-2, 8)(rng) * 1.0;
    for (double& v : whole) v = std::max(v, 0.0);
    std::vector<double> below(model.Types.size(), 0.0);
    for (const Valued& v : AllMaximalPatterns(model, whole))
      below[v.Pattern.Type] = std::max(below[v.Pattern.Type], v.Value);
    for (double& limit : below) limit -= std::uniform_int_distribution<int>(0, 6)(rng);
    ExpectBruteForceList(model, whole, below);

    // Values in proportion to the weights (every density tied), in tenths no
    // double holds exactly; the limit the exact value of some pattern, so
    // rounding decides whether ties stay in.
    std::vector<double> tied(items);
    for (size_t i = 0; i < items; ++i) tied[i] = 0.1 * static_cast<double>(model.Items[i].Weight / 50);
    const std::vector<Valued> all = AllMaximalPatterns(model, tied);
    std::vector<double> atSome(model.Types.size(), 1e9);
    for (const Valued& v : all) {
      if (std::uniform_int_distribution<int>(0, 2)(rng) == 0 || atSome[v.Pattern.Type] == 1e9)
        atSome[v.Pattern.Type] = v.Value;
    }
    ExpectBruteForceList(model, tied, atSome);

    // Fractional values, some zero, a few negative; every pattern, then the
    // limit at the value of the last one found.
    std::vector<double> fraction(items);
    for (double& v : fraction)
      v = std::uniform_int_distribution<int>(0, 3)(rng) == 0
              ? 0.0
              : std::uniform_real_distribution<double>(-100, 700)(rng);
    ExpectBruteForceList(model, fraction, anyValue);
    std::vector<double> some(model.Types.size(), 0.0);
    for (const Valued& v : AllMaximalPatterns(model, fraction)) some[v.Pattern.Type] = v.Value;
    ExpectBruteForceList(model, fraction, some);
  }
}

// Pieces of no value that fill the room in many ways.
CuttingModel ManyFillsModel() {
  CuttingModel model;
  for (int i = 0; i < 8; ++i) model.Items.push_back({i + 1, 310 + 37 * i, 3});
  model.Types = {Type(2500, 5), Type(3100, 5)};
  return model;
}

std::vector<std::pair<int32_t, std::vector<int32_t>>> InOrder(const PatternEnumeration& found) {
  std::vector<std::pair<int32_t, std::vector<int32_t>>> list;
  for (const CutPattern& p : found.Patterns) list.emplace_back(p.Type, p.Pieces);
  return list;
}

TEST(PatternEnumeration, SameListInTheSameOrderAndLimitsLeaveItIncomplete) {
  const CuttingModel model = ManyFillsModel();
  const std::vector<double> values = {5, 0, 0, 2, 0, 0.5, 0, 0};
  const std::vector<double> minValue = {4, 0};
  const PatternEnumeration full = EnumeratePatterns(model, values, minValue, {});
  ASSERT_TRUE(full.Complete);
  ASSERT_GT(full.Patterns.size(), 100u);
  const auto order = InOrder(full);
  EXPECT_EQ(InOrder(EnumeratePatterns(model, values, minValue, {})), order);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; }));

  EnumerationLimits limits;
  limits.MaxPatterns = full.Patterns.size();
  EXPECT_TRUE(EnumeratePatterns(model, values, minValue, limits).Complete);
  limits.MaxPatterns = full.Patterns.size() - 1;
  const PatternEnumeration capped = EnumeratePatterns(model, values, minValue, limits);
  EXPECT_FALSE(capped.Complete);
  EXPECT_EQ(capped.Patterns.size(), limits.MaxPatterns);

  limits = {};
  limits.MaxNodes = full.Nodes;
  EXPECT_TRUE(EnumeratePatterns(model, values, minValue, limits).Complete);
  limits.MaxNodes = full.Nodes - 1;
  const PatternEnumeration budget = EnumeratePatterns(model, values, minValue, limits);
  EXPECT_FALSE(budget.Complete);
  EXPECT_LE(budget.Nodes, limits.MaxNodes);

  limits = {};
  const std::atomic<bool> stop{true};
  limits.Stop = &stop;
  EXPECT_FALSE(EnumeratePatterns(model, values, minValue, limits).Complete);
}

}  // namespace
}  // namespace yobina
