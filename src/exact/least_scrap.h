// The second aim with offcuts on: among plans of one stock length, the one
// with the least scrap (leftovers under the minimum offcut length), and then
// the fewest offcuts. An integer program over a pool of patterns: x_p bars of
// pattern p, every piece supplied exactly, the bar limits kept, the stock
// fixed; minimise the sum of score_p x_p, where a pattern's score is its
// scrap in mm times (the bars of any plan + 1), plus 1 for an offcut: so less
// scrap always wins, and the offcuts decide between plans of equal scrap.
#pragma once

#include <cstdint>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"

namespace yobina {

// A bar's leftover as a Run computes it: its length less its pieces and their
// kerfs, not below 0.
int64_t LeftoverOf(const CuttingModel& model, const CutPattern& pattern);

// What a pattern weighs for the second aim (see above); `offcutMin` > 0.
class ScrapScore {
 public:
  ScrapScore(const CuttingModel& model, int32_t offcutMin);
  int64_t operator()(const CutPattern& pattern) const;

 private:
  const CuttingModel& model_;
  int32_t offcutMin_;
  int64_t perMm_;  // more than any plan's bars
};

struct LeastScrap {
  std::vector<CutPattern> Patterns;  // empty: nothing better than the plan given
  std::vector<int32_t> Bars;
  bool Optimal = false;  // the least score over the pool, proven (also when the plan given is it)
};

// `patterns` with `bars` is a plan of `stockLength` mm that supplies every
// piece exactly. Looks for one of the same stock with a lower score over the
// plan's and the pool's patterns, within `maxNodes` nodes.
LeastScrap FindLeastScrap(const CuttingModel& model, const ScrapScore& score,
                          const std::vector<CutPattern>& patterns, const std::vector<int32_t>& bars,
                          int64_t stockLength, const std::vector<CutPattern>& pool, int64_t maxNodes,
                          bool proving, const Deadline& deadline);

// The score of a plan.
int64_t ScoreOf(const ScrapScore& score, const std::vector<CutPattern>& patterns,
                const std::vector<int32_t>& bars);

}  // namespace yobina
