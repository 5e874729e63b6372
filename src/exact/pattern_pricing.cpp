#include "exact/pattern_pricing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace yobina {

namespace {

// A part's pass over a table this wide takes long enough to look at the clock first.
constexpr size_t kStepsBetweenChecks = 1 << 16;

}  // namespace

PatternPricing::PatternPricing(const CuttingModel& model) : model_(model) {
  int64_t divisor = 0;
  for (const CutItem& item : model.Items) divisor = std::gcd(divisor, item.Weight);
  step_ = std::max<int64_t>(divisor, 1);
  int64_t allPieces = 0;  // in steps, saturating: demands and weights may each be near their type's limit
  for (const CutItem& item : model.Items) {
    const int64_t weight = item.Weight / step_;
    const int64_t room = std::numeric_limits<int64_t>::max() - allPieces;
    allPieces = item.Demand > 0 && weight > room / item.Demand
                    ? std::numeric_limits<int64_t>::max()
                    : allPieces + weight * std::max(item.Demand, 0);
  }
  for (const StockType& type : model.Types) {
    maxCapacity_ = std::max(maxCapacity_, std::max<int64_t>(type.Capacity, 0) / step_);
  }
  maxCapacity_ = std::min(maxCapacity_, allPieces);
  for (int32_t i = 0; i < static_cast<int32_t>(model.Items.size()); ++i) {
    const int64_t weight = model.Items[i].Weight / step_;
    int64_t left = std::min<int64_t>(model.Items[i].Demand, maxCapacity_ / weight);
    for (int64_t pieces = 1; left > 0; pieces *= 2) {
      const int64_t take = std::min(pieces, left);
      parts_.push_back({i, static_cast<int32_t>(take), take * weight});
      left -= take;
    }
  }
}

int64_t PatternPricing::StepsOf(int32_t type) const {
  return std::min(std::max<int64_t>(model_.Types[type].Capacity, 0) / step_, maxCapacity_);
}

int64_t PatternPricing::TableBytes() const {
  const auto width = static_cast<double>(maxCapacity_) + 1;
  const double bytes =
      width * sizeof(double) + std::ceil(width / 64) * 8 * static_cast<double>(parts_.size());
  return bytes < 9e18 ? static_cast<int64_t>(bytes) : std::numeric_limits<int64_t>::max();
}

bool PatternPricing::Price(const std::vector<double>& values, const Deadline& deadline) {
  const size_t width = static_cast<size_t>(maxCapacity_) + 1;
  const size_t words = (width + 63) / 64;
  best_.assign(width, 0.0);
  usedParts_.clear();
  for (int32_t p = 0; p < static_cast<int32_t>(parts_.size()); ++p) {
    if (values[parts_[p].Item] > 0) usedParts_.push_back(p);
  }
  taken_.assign(usedParts_.size() * words, 0);
  for (size_t u = 0; u < usedParts_.size(); ++u) {
    if (width > kStepsBetweenChecks && deadline.Passed()) return false;
    const Part& part = parts_[usedParts_[u]];
    const double value = values[part.Item] * part.Pieces;
    const auto weight = static_cast<size_t>(part.Weight);
    uint64_t* taken = &taken_[u * words];
    for (size_t c = width; c-- > weight;) {
      const double with = best_[c - weight] + value;
      if (with > best_[c]) {
        best_[c] = with;
        taken[c / 64] |= uint64_t{1} << (c % 64);
      }
    }
  }
  return true;
}

double PatternPricing::BestValue(int32_t type) const {
  return best_[static_cast<size_t>(StepsOf(type))];
}

CutPattern PatternPricing::BestPattern(int32_t type) const {
  const size_t words = (static_cast<size_t>(maxCapacity_) + 1 + 63) / 64;
  CutPattern pattern{type, std::vector<int32_t>(model_.Items.size(), 0)};
  auto c = static_cast<size_t>(StepsOf(type));
  for (size_t u = usedParts_.size(); u-- > 0;) {
    if ((taken_[u * words + c / 64] >> (c % 64) & 1) != 0) {
      const Part& part = parts_[usedParts_[u]];
      pattern.Pieces[part.Item] += part.Pieces;
      c -= static_cast<size_t>(part.Weight);
    }
  }
  return pattern;
}

}  // namespace yobina
