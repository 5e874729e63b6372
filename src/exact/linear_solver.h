// The linear and integer programs of the planner, behind small interfaces so
// that the model can be tested without a solver. Rows are added first, then
// columns; a column lists its non-zero entries.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "exact/deadline.h"

namespace yobina {

using ColumnEntries = std::vector<std::pair<int, double>>;  // (row, coefficient)

// A minimising LP that grows by columns and is solved again after each batch.
class LpSolver {
 public:
  virtual ~LpSolver() = default;
  virtual void AddRow(double lower, double upper) = 0;
  virtual void AddColumn(double cost, double upper, const ColumnEntries& entries) = 0;
  // False when no optimum was reached (infeasible, or an internal failure).
  virtual bool Solve() = 0;
  virtual double Objective() const = 0;
  virtual std::vector<double> Duals() const = 0;
  virtual std::vector<double> Values() const = 0;
};

enum class MipOutcome {
  Optimal,     // the best solution, proven
  Infeasible,  // proven: no solution (below the cutoff, when one was set)
  Feasible,    // a solution, not proven best (limit or stop)
  Unknown      // no solution and no proof (limit or stop)
};

// A minimising program over non-negative integer columns.
class MipSolver {
 public:
  virtual ~MipSolver() = default;
  virtual void AddRow(double lower, double upper) = 0;
  virtual void AddColumn(double cost, double upper, const ColumnEntries& entries) = 0;
  // A column's lower bound (0 unless set).
  virtual void SetLowerBound(int column, double lower) = 0;
  // Columns of a smaller number are branched on first (all others: 1000).
  virtual void SetPriority(int column, int priority) = 0;
  // Only solutions with an objective below `cutoff` are wanted.
  virtual void SetCutoff(double cutoff) = 0;
  // Every two objective values differ by a whole multiple of `step`.
  virtual void SetObjectiveStep(double step) = 0;
  // A known solution to start from; one value per column.
  virtual void SetStart(const std::vector<double>& values) = 0;
  // The search ends after this many nodes (0: no limit); a result cut short
  // by it is never counted as a proof.
  virtual void SetNodeLimit(int64_t nodes) = 0;
  virtual MipOutcome Solve(const Deadline& deadline) = 0;
  virtual double Objective() const = 0;
  virtual std::vector<double> Values() const = 0;
  // No solution is better than this (after Solve; the cutoff when it proved none).
  virtual double BestBound() const = 0;
};

}  // namespace yobina
