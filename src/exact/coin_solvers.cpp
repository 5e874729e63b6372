#include "exact/coin_solvers.h"

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcHeuristic.hpp>
#include <coin/CbcHeuristicFPump.hpp>
#include <coin/CbcModel.hpp>
#include <coin/CglGomory.hpp>
#include <coin/CglKnapsackCover.hpp>
#include <coin/CglMixedIntegerRounding2.hpp>
#include <coin/ClpEventHandler.hpp>
#include <coin/ClpSimplex.hpp>
#include <coin/CoinMessageHandler.hpp>
#include <coin/CoinPackedMatrix.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cstdint>

namespace yobina {

namespace {

// Ends the search at the next event once the deadline has passed: CBC's own
// limit is checked less often, and not during every phase.
class StopHandler : public CbcEventHandler {
 public:
  explicit StopHandler(const Deadline& deadline) : deadline_(deadline) {}
  CbcAction event(CbcEvent) override { return deadline_.Passed() ? stop : noAction; }
  CbcEventHandler* clone() const override { return new StopHandler(*this); }

 private:
  const Deadline& deadline_;
};

// Ends a simplex run at the next iteration once the deadline has passed, so
// that a large root LP does not outlast it.
class ClpStopHandler : public ClpEventHandler {
 public:
  explicit ClpStopHandler(const Deadline& deadline) : deadline_(deadline) {}
  int event(Event whichEvent) override { return whichEvent == endOfIteration && deadline_.Passed() ? 0 : -1; }
  ClpEventHandler* clone() const override { return new ClpStopHandler(*this); }

 private:
  const Deadline& deadline_;
};

// The heuristics and cut generators that pay on these models: the cuts close
// most proofs at the root, where they see that the cutoff and the demands
// cannot both be met. Probing, clique, flow cover and the other families of
// CBC's defaults cost more time than they save here.
void AddSearchAids(CbcModel& model, CbcMipSolver::Cuts cuts) {
  CbcRounding rounding(model);
  model.addHeuristic(&rounding);
  CbcHeuristicFPump pump(model);
  model.addHeuristic(&pump);
  if (cuts == CbcMipSolver::Cuts::None) return;
  // CBC's frequencies: -99 only at the root, -1 at every node while they pay.
  const int often = cuts == CbcMipSolver::Cuts::AtRoot ? -99 : -1;
  CglGomory gomory;
  model.addCutGenerator(&gomory, often, "Gomory");
  CglKnapsackCover knapsack;
  model.addCutGenerator(&knapsack, often, "Knapsack");
  CglMixedIntegerRounding2 rounding2;
  model.addCutGenerator(&rounding2, often, "MixedIntegerRounding2");
}

}  // namespace

ClpLpSolver::ClpLpSolver() : model_(std::make_unique<ClpSimplex>()) {
  model_->setLogLevel(0);
  model_->setRandomSeed(1);
}

ClpLpSolver::~ClpLpSolver() = default;

void ClpLpSolver::AddRow(double lower, double upper) {
  model_->addRow(0, nullptr, nullptr, lower, upper);
}

void ClpLpSolver::AddColumn(double cost, double upper, const ColumnEntries& entries) {
  std::vector<int> rows;
  std::vector<double> values;
  for (const auto& [row, value] : entries) {
    rows.push_back(row);
    values.push_back(value);
  }
  model_->addColumn(static_cast<int>(rows.size()), rows.data(), values.data(), 0.0, upper, cost);
}

bool ClpLpSolver::Solve() {
  model_->primal();
  return model_->isProvenOptimal();
}

double ClpLpSolver::Objective() const {
  return model_->objectiveValue();
}

std::vector<double> ClpLpSolver::Duals() const {
  const double* duals = model_->dualRowSolution();
  return {duals, duals + model_->numberRows()};
}

std::vector<double> ClpLpSolver::Values() const {
  const double* values = model_->primalColumnSolution();
  return {values, values + model_->numberColumns()};
}

void CbcMipSolver::AddRow(double lower, double upper) {
  rowLower_.push_back(lower);
  rowUpper_.push_back(upper);
}

void CbcMipSolver::AddColumn(double cost, double upper, const ColumnEntries& entries) {
  cost_.push_back(cost);
  columnLower_.push_back(0);
  columnUpper_.push_back(upper);
  priority_.push_back(1000);
  for (const auto& [row, value] : entries) {
    entryRow_.push_back(row);
    entryValue_.push_back(value);
  }
  columnStart_.push_back(static_cast<int>(entryRow_.size()));
}

MipOutcome CbcMipSolver::Solve(const Deadline& deadline) {
  const int columns = static_cast<int>(cost_.size());
  const int rows = static_cast<int>(rowLower_.size());
  std::vector<int> lengths(columns);
  for (int c = 0; c < columns; ++c) lengths[c] = columnStart_[c + 1] - columnStart_[c];
  const CoinPackedMatrix matrix(true, rows, columns, static_cast<CoinBigIndex>(entryRow_.size()),
                                entryValue_.data(), entryRow_.data(), columnStart_.data(), lengths.data());

  OsiClpSolverInterface solver;
  solver.messageHandler()->setLogLevel(0);
  solver.getModelPtr()->setLogLevel(0);
  solver.loadProblem(matrix, columnLower_.data(), columnUpper_.data(), cost_.data(), rowLower_.data(),
                     rowUpper_.data());
  for (int c = 0; c < columns; ++c) solver.setInteger(c);
  ClpStopHandler lpHandler(deadline);
  solver.getModelPtr()->passInEventHandler(&lpHandler);

  // The model-level API, not CBC's command-line driver: the driver installs a
  // SIGINT handler of its own, which would swallow the user's Ctrl+C.
  CbcModel model(solver);
  model.setLogLevel(0);
  model.messageHandler()->setLogLevel(0);
  model.setNumberThreads(0);
  model.setRandomSeed(1);
  model.setPrintingMode(0);
  const StopHandler handler(deadline);
  model.passInEventHandler(&handler);
  if (nodeLimit_ > 0) model.setMaximumNodes(static_cast<int>(std::min<int64_t>(nodeLimit_, INT32_MAX)));
  // A solution must beat the last by a whole step; a hair less keeps rounding out.
  if (step_ > 0) model.setDblParam(CbcModel::CbcCutoffIncrement, step_ * 0.999);
  if (static_cast<int>(start_.size()) == columns) model.setBestSolution(start_.data(), columns, 1e100, true);
  if (cutoff_ < 1e99) model.setCutoff(cutoff_);
  AddSearchAids(model, cuts_);
  model.passInPriorities(priority_.data(), false);
  model.initialSolve();
  model.branchAndBound();

  bestBound_ = model.getBestPossibleObjValue();
  const double* best = model.bestSolution();
  values_.clear();
  if (best != nullptr) {
    values_.assign(best, best + columns);
    objective_ = model.getObjValue();
  }
  // Proofs count only when nothing was cut short.
  const bool finished = model.status() == 0 && !model.isNodeLimitReached() &&
                        !model.isSecondsLimitReached() && !deadline.Passed();
  if (best != nullptr)
    return finished && model.isProvenOptimal() ? MipOutcome::Optimal : MipOutcome::Feasible;
  return finished && model.isProvenInfeasible() ? MipOutcome::Infeasible : MipOutcome::Unknown;
}

}  // namespace yobina
