// The building on A4 paper: the purchase list and the summary, then every
// planned section's report and cutting diagrams, as one document.
#pragma once

#include <atomic>
#include <cstddef>

#include "graph/print_device.h"
#include "plan/plan_result.h"
#include "project/project_outputs.h"
#include "project/project_result.h"

namespace yobina {

// The section's plan as the optimal planner's result of its job document
// (see SectionDocument), for the report and the diagrams. Only for a section
// with a plan.
PlanResult SectionPlanResult(const ProjectResult& result, size_t section, const SectionResult& full);

// The purchase list alone: a line a section and length bought, then the totals.
// Throws IoError when the printer fails.
void PrintPurchaseList(const ProjectResult& result, PrintDevice& printer);

// The purchase list, the summary, then each section with a plan: its report
// and its cutting diagrams, its full result read when it is printed. Throws
// IoError when the printer or `read` fails, and WritingStopped once `stop` is
// set (looked at between sections).
void PrintProject(const ProjectResult& result, const SectionReader& read, PrintDevice& printer,
                  const std::atomic<bool>* stop = nullptr);

}  // namespace yobina
