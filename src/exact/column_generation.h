// Column generation for one cutting model: the LP over patterns grows by the
// patterns the pricing finds until none improves it, and yields a lower bound
// on the stock length of every plan of the model.
#pragma once

#include <functional>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"
#include "exact/linear_solver.h"

namespace yobina {

struct ColumnGeneration {
  std::vector<CutPattern> Patterns;  // every pattern the LP was given, the start patterns first
  std::vector<double> LpBars;        // the last LP's bars per pattern (the patterns it had)
  double LowerBound = 0;             // mm of stock, before rounding up
  std::vector<double> BoundValues;   // the piece values (duals, at least 0) that give LowerBound
  int32_t Rounds = 0;                // LP solves
  bool Infeasible = false;           // proven: the model has no plan
  bool Converged = false;            // no pattern improves the LP any more
};

// `start` patterns enter the LP first. `betterBound` hears each higher bound.
// At most `maxRounds` LP solves: a budget of work, so that the result does not
// depend on the machine's speed.
ColumnGeneration GenerateColumns(const CuttingModel& model, const std::vector<CutPattern>& start,
                                 LpSolver& lp, const Deadline& deadline,
                                 const std::function<void(double)>& betterBound, int32_t maxRounds = 20000);

}  // namespace yobina
