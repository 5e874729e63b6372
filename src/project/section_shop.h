// A building's sections on the shop floor: each section's cut list and
// labels, from its full result and its parts list.
#pragma once

#include <atomic>
#include <cstddef>

#include "graph/print_device.h"
#include "plan/plan_result.h"
#include "project/project_outputs.h"
#include "project/project_result.h"
#include "shop/cut_list.h"
#include "shop/shop_input.h"

namespace yobina {

// Where the section's bars come from and the parts behind its cut rows, for
// `plan` (SectionPlanResult of the section): of each length, the bars on hand
// first (手持ち, offcuts taken from the inventory among them), then those
// bought (購入); each cut row's parts are those of its length with their marks
// and phases.
ShopInput SectionShopInput(const ProjectResult& result, size_t section, const PlanResult& plan);

// The section's cut list; an empty one for a section without a plan.
CutList SectionCutList(const ProjectResult& result, size_t section, const SectionResult& full);

// cutlist.csv's heading and each section's lines after it (CutListCsv, the
// heading once for the whole file).
std::string CutListHeading();
std::string SectionCutListLines(const CutList& list);

// Every section's labels in section order on A4 sheets of 3 × 8, each
// section's following on from the last one's, its full result read as it is
// printed. Throws IoError when the printer, the labels or
// `read` fail, and WritingStopped once `stop` is set (between sections).
void PrintBuildingLabels(const ProjectResult& result, const SectionReader& read, PrintDevice& printer,
                         const std::atomic<bool>* stop = nullptr);

}  // namespace yobina
