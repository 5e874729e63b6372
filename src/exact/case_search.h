// The search of one model (a case of the short-first rule, or the job without
// the rule) on its own: first a bound and plans (column generation, dives),
// then the proof (the patterns a better plan could use, listed by reduced
// cost, and the integer program over exactly those; the pool and the
// arc-flow model where the list is too long). Every stage is budgeted by
// work, so a search gives the same result on any machine; the deadline only
// aborts.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"

namespace yobina {

inline constexpr int64_t kNoStock = std::numeric_limits<int64_t>::max();

// A plan of the model: bar counts per pattern.
struct Incumbent {
  std::vector<CutPattern> Patterns;
  std::vector<int32_t> Bars;
  int64_t StockLength = kNoStock;  // kNoStock: none
};

struct SearchBudget {
  int32_t ColumnRounds = 20000;           // LP solves of the first column generation
  int32_t DiveSteps = 400;                // LP solves of one dive
  int32_t Dives = 3;                      // roundings tried (of DiveRounding, in order)
  int64_t PackNodes = 400'000;            // nodes of the packing search, over its totals
  int64_t EnumerationNodes = 40'000'000;  // nodes of the pattern listing
  size_t MaxListed = 100'000;             // patterns the proof's program may hold
  int64_t ProofNodes = 200'000;           // CBC nodes over the listed patterns
  int64_t PoolNodes = 20'000;             // CBC nodes over the generated patterns
  int64_t ArcFlowNodes = 5'000;           // CBC nodes of the arc-flow model
};

struct CaseSearch {
  explicit CaseSearch(CuttingModel model) : Model(std::move(model)) {}

  CuttingModel Model;
  std::vector<CutPattern> Columns;  // every pattern column generation made
  std::vector<CutPattern> Pool;     // further patterns the dives priced
  std::vector<double> LpBars;       // the LP's bars per column
  std::vector<double> BoundValues;  // the piece values that give RawBound
  double RawBound = 0;              // mm, before rounding up to a stock total
  int64_t Bound = 0;                // no plan of the model uses less stock; kNoStock: it has none
  Incumbent Best;                   // its best plan
  bool Pooled = false;              // the integer program over the priced patterns was tried
};

// Bound and plans: column generation from the `start` patterns (those of the
// model's types), then the dives. `runPlan` is taken as the first plan when
// it keeps the model's bar limits. `betterBound` hears each rise of the bound,
// `betterPlan` each better plan (stock mm); both from the calling thread.
void ExploreCase(CaseSearch& search, const Incumbent& runPlan, const SearchBudget& budget,
                 const Deadline& deadline, const std::function<void(double)>& betterBound,
                 const std::function<void(int64_t)>& betterPlan);

// Every pattern a plan of the model of at most `total` mm that supplies every
// piece exactly could use (maximal or cut short), or nullopt when that list
// outgrows budget.MaxListed (or the bound's values are unknown).
std::optional<std::vector<CutPattern>> PatternsUpTo(const CaseSearch& search, int64_t total,
                                                    const SearchBudget& budget, const Deadline& deadline);

// Looks for a plan under `cutoff` mm of stock, or proves that the model has
// none (its Bound reaches the cutoff), within the budget.
void CloseCase(CaseSearch& search, int64_t cutoff, const SearchBudget& budget, const Deadline& deadline,
               const std::function<void(int64_t)>& betterPlan);

}  // namespace yobina
