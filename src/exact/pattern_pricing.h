// The pricing of column generation: the most valuable pattern for every stock
// type at once, a bounded knapsack solved by dynamic programming over the
// used capacity (weights divided by their common divisor).
#pragma once

#include <cstdint>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"

namespace yobina {

class PatternPricing {
 public:
  explicit PatternPricing(const CuttingModel& model);

  // Bytes the tables of Price take at most; the caller keeps jobs beyond its
  // means away.
  int64_t TableBytes() const;

  // Prices the pieces: `values` has one entry per item. Afterwards BestValue
  // and BestPattern answer for every type. False, with the answers unusable,
  // when `deadline` passed during the pricing.
  bool Price(const std::vector<double>& values, const Deadline& deadline);
  double BestValue(int32_t type) const;
  CutPattern BestPattern(int32_t type) const;

 private:
  struct Part {
    int32_t Item;
    int32_t Pieces;
    int64_t Weight;  // in steps
  };
  int64_t StepsOf(int32_t type) const;

  const CuttingModel& model_;
  int64_t step_ = 1;  // the common divisor of the item weights
  // The largest capacity in steps, at most what all pieces together weigh:
  // a bar that holds every piece is priced like one just that long.
  int64_t maxCapacity_ = 0;
  std::vector<Part> parts_;         // the items split into 1, 2, 4, ... pieces
  std::vector<double> best_;        // best value within each capacity
  std::vector<uint64_t> taken_;     // per used part and capacity: did the part improve it
  std::vector<int32_t> usedParts_;  // parts with a positive value, in DP order
};

}  // namespace yobina
