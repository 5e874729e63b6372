// The COIN-OR implementations of the solver interfaces: CLP for the LP, CBC
// for the integer program. Both are silent and single-threaded.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "exact/linear_solver.h"

class ClpSimplex;

namespace yobina {

class ClpLpSolver : public LpSolver {
 public:
  ClpLpSolver();
  ~ClpLpSolver() override;
  void AddRow(double lower, double upper) override;
  void AddColumn(double cost, double upper, const ColumnEntries& entries) override;
  bool Solve() override;
  double Objective() const override;
  std::vector<double> Duals() const override;
  std::vector<double> Values() const override;

 private:
  std::unique_ptr<ClpSimplex> model_;
};

class CbcMipSolver : public MipSolver {
 public:
  // How the cut generators run: not at all (a short search for a better
  // solution), at the root (most programs here), or at every node (where a
  // hard proof needs them deep in the tree).
  enum class Cuts { None, AtRoot, EveryNode };
  explicit CbcMipSolver(Cuts cuts = Cuts::AtRoot) : cuts_(cuts) {}

  void AddRow(double lower, double upper) override;
  void AddColumn(double cost, double upper, const ColumnEntries& entries) override;
  void SetLowerBound(int column, double lower) override { columnLower_[static_cast<size_t>(column)] = lower; }
  void SetPriority(int column, int priority) override { priority_[static_cast<size_t>(column)] = priority; }
  void SetCutoff(double cutoff) override { cutoff_ = cutoff; }
  void SetObjectiveStep(double step) override { step_ = step; }
  void SetStart(const std::vector<double>& values) override { start_ = values; }
  void SetNodeLimit(int64_t nodes) override { nodeLimit_ = nodes; }
  MipOutcome Solve(const Deadline& deadline) override;
  double Objective() const override { return objective_; }
  std::vector<double> Values() const override { return values_; }
  double BestBound() const override { return bestBound_; }

 private:
  std::vector<double> rowLower_, rowUpper_;
  std::vector<double> cost_, columnLower_, columnUpper_;
  std::vector<int> priority_;
  std::vector<int> columnStart_{0}, entryRow_;
  std::vector<double> entryValue_;
  double cutoff_ = 1e100;
  double step_ = 0;
  int64_t nodeLimit_ = 0;
  Cuts cuts_;
  std::vector<double> start_;
  double objective_ = 0;
  double bestBound_ = 0;
  std::vector<double> values_;
};

}  // namespace yobina
