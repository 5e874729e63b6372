// What the window and the batch program do around a plan: printing its
// report, and what stands for a plan when there is none.
#pragma once

#include "graph/print_device.h"
#include "job/job_document.h"
#include "plan/plan_result.h"

namespace yobina {

// Prints the report of `result`. Throws IoError when the printer fails.
void PrintReport(const PlanResult& result, PrintDevice& printer);

// What stands for a plan of `document` when there is none: its tables, no patterns.
PlanResult ResultWithoutPlan(const JobDocument& document);

// What Print prints without a plan of the job on the page: the title block,
// the cut list, margin and kerf of `document` and "計画はありません". Throws IoError as PrintReport.
void PrintJobWithoutPlan(const JobDocument& document, PrintDevice& printer);

}  // namespace yobina
