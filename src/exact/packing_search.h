// A plan of a given stock total by depth-first search: the bars the total
// allows are filled one after the other, each with the longest piece left and
// a set of others that wastes no more than the total leaves to waste. Where
// the bound can be met at all this search usually meets it in a few hundred
// nodes, also on jobs whose pieces fill their bars exactly, where rounding an
// LP goes astray.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"

namespace yobina {

struct PackedPlan {
  std::vector<CutPattern> Patterns;
  std::vector<int32_t> Bars;  // per pattern
  int64_t StockLength = 0;
};

// A plan whose stock comes to exactly `total` mm, or nullopt when none was
// found within `maxNodes` steps of the search (or before the deadline). The
// bar counts keep the model's limits. Same model, same answer.
std::optional<PackedPlan> PackToTotal(const CuttingModel& model, int64_t total, int64_t maxNodes,
                                      const Deadline& deadline);

}  // namespace yobina
