// The dive: a good plan fast by residual rounding with re-pricing. The LP's
// bars are rounded, the rounded bars are fixed, and the pieces and bars they
// leave form a smaller job whose LP is priced and solved again, until every
// piece is placed. Different roundings reach different plans.
#pragma once

#include <cstdint>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"

namespace yobina {

enum class DiveRounding {
  Down,          // every pattern's bars rounded down (the largest up when none reaches a bar)
  DownOneUp,     // down, and the pattern nearest to its next bar rounded up
  LargestFirst,  // only the pattern with the most bars, rounded down (or up to one bar)
};

struct DivePlan {
  std::vector<CutPattern> Patterns;
  std::vector<int32_t> Bars;  // per pattern
  int64_t StockLength = -1;   // -1: the dive found no plan (the stock ran out)
  int32_t Steps = 0;          // LPs solved on the way
  // Every pattern the residual LPs were priced, which the integer stage may use too.
  std::vector<CutPattern> Priced;
};

// `columns` and `lpBars` are the model's LP at its optimum, where the dive
// starts. At most `maxSteps` LP solves in all (a budget of work).
DivePlan Dive(const CuttingModel& model, const std::vector<CutPattern>& columns,
              const std::vector<double>& lpBars, DiveRounding rounding, int32_t maxSteps,
              const Deadline& deadline);

}  // namespace yobina
