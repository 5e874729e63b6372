#include "project/length_choice.h"

#include <cmath>

#include "exact/coin_solvers.h"
#include "exact/column_generation.h"
#include "exact/job_model.h"
#include "project/section_job.h"
#include "project/section_pricing.h"

namespace yobina {
namespace {

// Work budgets, so that the choice is the same on any machine.
constexpr int32_t kRoundsPerLength = 40;
constexpr int64_t kNodes = 1000;
constexpr double kInfinity = 1e30;

// The patterns column generation finds for each length on its own.
std::vector<CutPattern> PatternsOfEachLength(const CuttingModel& model, const Deadline& deadline) {
  std::vector<CutPattern> patterns;
  for (size_t t = 0; t < model.Types.size(); ++t) {
    CuttingModel alone = model;
    for (size_t other = 0; other < alone.Types.size(); ++other) {
      if (other != t) alone.Types[other].MaxBars = 0;
    }
    ClpLpSolver lp;
    const ColumnGeneration found = GenerateColumns(
        alone, {}, lp, deadline, [](double) {}, kRoundsPerLength);
    for (const CutPattern& pattern : found.Patterns) {
      bool any = false;
      for (const int32_t pieces : pattern.Pieces) any = any || pieces > 0;
      if (any && pattern.Type == static_cast<int32_t>(t)) patterns.push_back(pattern);
    }
  }
  return patterns;
}

}  // namespace

std::vector<int32_t> ChooseLengths(const SectionInput& section, int32_t maxLengths, bool byCost,
                                   const Deadline& deadline) {
  if (!section.OnHand.empty() || maxLengths < 1) return {};
  std::vector<int32_t> every;
  for (const BuyableLength& length : section.Lengths) every.push_back(length.Length);
  const CuttingModel model = ModelOf(SectionJob(section, every));
  const std::vector<CutPattern> patterns = PatternsOfEachLength(model, deadline);
  if (patterns.empty() || deadline.Passed()) return {};

  const auto items = static_cast<int>(model.Items.size());
  const auto types = static_cast<int>(model.Types.size());
  CbcMipSolver mip;
  for (const CutItem& item : model.Items) mip.AddRow(item.Demand, kInfinity);
  for (int t = 0; t < types; ++t) mip.AddRow(-kInfinity, 0);  // row items + t: the link of length t
  mip.AddRow(-kInfinity, maxLengths);                         // row items + types: the lengths bought
  for (const CutPattern& pattern : patterns) {
    const StockType& type = model.Types[static_cast<size_t>(pattern.Type)];
    const double cost = byCost ? BarYen(section, type.Length).value_or(0) : type.Length;
    ColumnEntries entries;
    for (int i = 0; i < items; ++i) {
      if (pattern.Pieces[static_cast<size_t>(i)] > 0)
        entries.emplace_back(i, pattern.Pieces[static_cast<size_t>(i)]);
    }
    entries.emplace_back(items + pattern.Type, 1);
    mip.AddColumn(cost, type.MaxBars, entries);
  }
  const auto firstChoice = static_cast<int>(patterns.size());
  for (int t = 0; t < types; ++t) {
    mip.AddColumn(
        0, 1, {{items + t, -std::max(model.Types[static_cast<size_t>(t)].MaxBars, 1)}, {items + types, 1}});
    mip.SetPriority(firstChoice + t, 1);  // which lengths first, then how many bars
  }
  mip.SetNodeLimit(kNodes);
  const MipOutcome outcome = mip.Solve(deadline);
  if (outcome != MipOutcome::Optimal && outcome != MipOutcome::Feasible) return {};
  const std::vector<double> values = mip.Values();
  std::vector<int32_t> chosen;
  for (int t = 0; t < types; ++t) {
    if (values[static_cast<size_t>(firstChoice + t)] > 0.5)
      chosen.push_back(model.Types[static_cast<size_t>(t)].Length);
  }
  return chosen;
}

}  // namespace yobina
