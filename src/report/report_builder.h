// The report of a plan: title block, cut list, required stock, totals and
// the pattern tables, written through the line writer into the results text or
// onto the printer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "graph/print_device.h"
#include "job/job.h"
#include "plan/plan_result.h"
#include "report/line_writer.h"

namespace yobina {

struct RequiredStockEntry {
  int32_t StockRow = 0;  // a row of the job's stock table
  int32_t Bars = 0;      // bars of that row the plan cuts
};
using RequiredStockList = std::array<RequiredStockEntry, kTableCapacity + 1>;

class ReportBuilder {
 public:
  // The report of a plan as the results text box shows it (code page 932
  // lines, page headers included): the date, names and unit weight of the
  // document as planned; the cut list, required stock, margin and kerf of the
  // plan's tables; the totals, what the optimal planner knows of its plan,
  // and the pattern tables. A result without patterns gives the title block,
  // the cut list and zero totals.
  std::vector<std::string> BuildReport(const PlanResult& result);

  // The same report on paper. Throws IoError when the printer fails.
  void BuildReport(const PlanResult& result, PrintDevice& printer);

  // A job with no plan of it: the title block, the cut list, the margin and
  // kerf, then "計画はありません" where the totals would be; zeros would read
  // as a perfect plan.
  std::vector<std::string> BuildReportWithoutPlan(const PlanResult& result);
  void BuildReportWithoutPlan(const PlanResult& result, PrintDevice& printer);

  // The stock bars the last report's plan needs, entries 1..RequiredStockCount
  // in stock-table order (entry 0 is unused).
  const RequiredStockList& RequiredStock() const { return requiredStock_; }
  int32_t RequiredStockCount() const { return requiredStockCount_; }

 private:
  void WriteReport(const PlanResult& result);
  void TallyRequiredStock(const Plan& plan);

  LineWriter writer_;
  RequiredStockList requiredStock_{};
  int32_t requiredStockCount_ = 0;
  std::string memberNameLine_;  // heads every pattern block
  bool withoutPlan_ = false;
};

}  // namespace yobina
