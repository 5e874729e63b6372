// The shop floor's input for a single job: which of its bars are offcuts of
// the inventory, and the steel of its bars where known. A job knows nothing of
// purchases or of the parts behind its lengths, so every other bar is on hand
// (手持ち) and pieces are named by their cut rows ("#3").
#pragma once

#include <string>
#include <vector>

#include "app/offcut_stock.h"
#include "plan/plan_result.h"
#include "plan/steel_trace.h"
#include "shop/shop_input.h"

namespace yobina {

// The rows taken from the inventory and untouched since are those offcuts,
// their entries oldest first, as "keep" counts them, each with its entry's
// steel; `source` and `date` are what "keep" would record (OffcutSource,
// TodayDate). Every bar of another row has the steel `rowTraces` gives its
// row (by stock row of the result's document; a stock trace file's, or the
// window's), else none.
ShopInput JobShopInput(const PlanResult& result, const std::vector<PlacedOffcutRow>& placed,
                       std::string source, std::string date, const std::vector<SteelTrace>& rowTraces = {});

}  // namespace yobina
