// The second aim: among plans of one stock length, the one with the fewest
// patterns, each a saw set-up. An integer program over a pool of patterns:
// x_p bars of pattern p, y_p = 1 when p is used at all, x_p <= U_p y_p, every
// piece supplied exactly (no surplus to trim, which could split a pattern),
// the bar limits kept, the stock fixed; minimise the sum of y_p.
#pragma once

#include <cstdint>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"
#include "exact/least_scrap.h"

namespace yobina {

struct FewerPatterns {
  std::vector<CutPattern> Patterns;  // empty: nothing better than the plan given
  std::vector<int32_t> Bars;
  int32_t LowerBound = 0;  // no plan of this stock from the pool uses fewer patterns
  bool Optimal = false;    // the least count over the pool, proven
};

// `patterns` with `bars` is a plan of `stockLength` mm that supplies every
// piece exactly; `pool` more patterns. With `score`, the plans looked at keep
// their score within `scoreCap` (the first aims come first).
// of the model. Looks for one of the same stock with fewer patterns, within
// `maxNodes` nodes of the search (with cut generators when `proving`).
FewerPatterns FindFewerPatterns(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                                const std::vector<int32_t>& bars, int64_t stockLength,
                                const std::vector<CutPattern>& pool, int64_t maxNodes, bool proving,
                                const Deadline& deadline, const ScrapScore* score = nullptr,
                                int64_t scoreCap = 0);

}  // namespace yobina
