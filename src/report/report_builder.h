// The result report of a Run: title block, cut list, required stock, totals and
// the pattern tables, written through the line writer into the results text or
// onto the printer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "graph/print_device.h"
#include "job/input_page.h"
#include "job/job.h"
#include "optimizer/cut_plan.h"
#include "report/line_writer.h"

namespace yobina {

struct RequiredStockEntry {
  int32_t StockRow = 0;  // a row of the job's stock table
  int32_t Bars = 0;      // bars of that row the plan cuts
};
using RequiredStockList = std::array<RequiredStockEntry, kTableCapacity + 1>;

class ReportBuilder {
 public:
  // The report as the results text box shows it (code page 932 lines, page
  // headers included). `job` holds the sorted tables `plan` was made from; the
  // date, names, unit weight, margin and kerf come from the page's fields.
  // `notes` (code page 932) follow the totals lines; a Run has none.
  std::vector<std::string> BuildReport(const InputPage& page, const TJob& job, const TCutPlan& plan,
                                       const std::vector<std::string>& notes = {});

  // The same report on paper. Throws IoError when the printer fails.
  void BuildReport(const InputPage& page, const TJob& job, const TCutPlan& plan, PrintDevice& printer,
                   const std::vector<std::string>& notes = {});

  // The stock bars the last report's plan needs, entries 1..RequiredStockCount
  // in stock-table order (entry 0 is unused).
  const RequiredStockList& RequiredStock() const { return requiredStock_; }
  int32_t RequiredStockCount() const { return requiredStockCount_; }

 private:
  void WriteReport(const InputPage& page, const TJob& job, const TCutPlan& plan,
                   const std::vector<std::string>& notes);
  void TallyRequiredStock(const TJob& job, const TCutPlan& plan);

  LineWriter writer_;
  RequiredStockList requiredStock_{};
  int32_t requiredStockCount_ = 0;
  std::string memberNameLine_;  // heads every pattern block
};

}  // namespace yobina
