// A cutting plan with the sorted tables it was made from: everything an output
// needs to draw it. The row counts are brought into range here, once, so the
// outputs can loop over 1..count without checking them again.
#pragma once

#include <cstdint>

#include "job/job.h"
#include "plan/cut_plan.h"

namespace yobina {

class Plan {
 public:
  Plan() = default;
  // `job`: the sorted tables, margin and kerf the plan was made with; `cuts`:
  // its patterns in report order with their totals (no patterns: no plan).
  Plan(const TJob& job, const TCutPlan& cuts) : job_(job), cuts_(cuts) {}

  const TJob& Job() const { return job_; }
  // The totals: StockLength, MemberLength, LeftoverLength, LeftoverRate, LossRate.
  const TCutPlan& Cuts() const { return cuts_; }
  bool HasPatterns() const { return PatternCount() > 0; }

  // Patterns 1..PatternCount(), stock rows 1..StockRowCount(), cut rows 1..CutRowCount().
  int32_t PatternCount() const;
  int32_t StockRowCount() const;
  int32_t CutRowCount() const;
  const TCutPattern& Pattern(int32_t p) const { return cuts_.Patterns[static_cast<std::size_t>(p)]; }
  const TLengthRow& StockRow(int32_t row) const { return job_.StockTable[static_cast<std::size_t>(row)]; }
  const TLengthRow& CutRow(int32_t row) const { return job_.CutTable[static_cast<std::size_t>(row)]; }

  // Whether a pattern's bar is a row of the stock table, and its length (0 when not).
  bool HasStockRow(const TCutPattern& pattern) const;
  int32_t StockLengthOf(const TCutPattern& pattern) const;

 private:
  TJob job_{};
  TCutPlan cuts_{};
};

}  // namespace yobina
