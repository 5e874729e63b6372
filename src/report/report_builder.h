// The result report of a Run: title block, cut list, required stock, totals and
// the pattern tables, written through the line writer into the results text or
// onto the printer.
#pragma once

#include <string>
#include <vector>

#include "graph/print_device.h"
#include "job/input_page.h"
#include "job/job.h"
#include "optimizer/cut_plan.h"

namespace yobina {

class ReportBuilder {
 public:
  // The report as the results text box shows it (code page 932 lines, page
  // headers included). `job` holds the sorted tables of the Run that made `plan`;
  // the date, names, unit weight, margin and kerf come from the page's fields.
  std::vector<std::string> BuildReport(const InputPage& page, const TJob& job, const TCutPlan& plan);

  // The same report on paper. Throws IoError when the printer fails.
  void BuildReport(const InputPage& page, const TJob& job, const TCutPlan& plan, PrintDevice& printer);
};

}  // namespace yobina
