// The cutting diagrams of a plan: every pattern drawn as one bar to scale, in
// the report's order, as many to a page as fit and never one split over two
// pages, each page headed by the job's names and its page number.
#pragma once

#include "graph/print_device.h"
#include "plan/plan_result.h"

namespace yobina {

// Prints the diagrams of the result's plan on A4 portrait paper in colour:
// its sorted tables and the kerf it was made with, the names of the document
// as planned, as in the report. All bars share one scale, set by the longest.
// Throws IoError when the printer fails.
void PrintCuttingDiagrams(const PlanResult& result, PrintDevice& printer);

// The same on a device whose paper is already set up (a view on the screen):
// the page size and resolution are the device's.
void DrawCuttingDiagrams(const PlanResult& result, PrintDevice& device);

}  // namespace yobina
