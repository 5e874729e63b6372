// The cutting diagrams of a plan: every pattern drawn as one bar to scale, in
// the report's order, as many to a page as fit and never one split over two
// pages, each page headed by the job's names and its page number.
#pragma once

#include "graph/print_device.h"
#include "job/input_page.h"
#include "job/job.h"
#include "optimizer/cut_plan.h"

namespace yobina {

// Prints the diagrams of `plan` on A4 portrait paper in colour. `job` holds the
// sorted tables and the kerf the plan was made with; the names come from the
// page's fields, as in the report. All bars share one scale, set by the longest.
// Throws IoError when the printer fails.
void PrintCuttingDiagrams(const InputPage& page, const TJob& job, const TCutPlan& plan, PrintDevice& printer);

// The same on a device whose paper is already set up (a view on the screen):
// the page size and resolution are the device's.
void DrawCuttingDiagrams(const InputPage& page, const TJob& job, const TCutPlan& plan, PrintDevice& device);

}  // namespace yobina
