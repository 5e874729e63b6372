// The second road to the proof: the arc-flow model (nodes the used length of
// a bar, arcs its pieces in decreasing length), which holds every pattern at
// once, solved whole by CBC.
#pragma once

#include <cstdint>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"
#include "exact/linear_solver.h"

namespace yobina {

struct ArcFlowResult {
  MipOutcome Outcome = MipOutcome::Unknown;  // Unknown also when the graph is too large to try
  std::vector<CutPattern> Patterns;
  std::vector<int32_t> Bars;
  int64_t StockLength = 0;
};

// The plan with the least stock under `below` mm, or the proof that none exists.
ArcFlowResult SolveArcFlow(const CuttingModel& model, int64_t below, MipSolver& mip,
                           const Deadline& deadline);

}  // namespace yobina
