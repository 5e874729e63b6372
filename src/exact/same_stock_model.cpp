#include "exact/same_stock_model.h"

#include <algorithm>
#include <set>
#include <utility>

namespace yobina {

std::vector<CutPattern> PlanAndPool(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                                    const std::vector<CutPattern>& pool) {
  std::vector<CutPattern> columns;
  std::set<std::pair<int32_t, std::vector<int32_t>>> known;
  for (const std::vector<CutPattern>* source : {&patterns, &pool}) {
    for (const CutPattern& pattern : *source) {
      if (model.Types[pattern.Type].MaxBars > 0 && known.insert({pattern.Type, pattern.Pieces}).second)
        columns.push_back(pattern);
    }
  }
  return columns;
}

int AddSameStockRows(const CuttingModel& model, int64_t stockLength, MipSolver& mip) {
  for (const CutItem& item : model.Items) mip.AddRow(item.Demand, item.Demand);
  for (const StockType& type : model.Types) mip.AddRow(type.MinBars, type.MaxBars);
  mip.AddRow(static_cast<double>(stockLength), static_cast<double>(stockLength));
  return static_cast<int>(model.Items.size() + model.Types.size());
}

ColumnEntries SameStockEntries(const CuttingModel& model, const CutPattern& pattern, int stockRow) {
  const int items = static_cast<int>(model.Items.size());
  ColumnEntries entries;
  for (int i = 0; i < items; ++i) {
    if (pattern.Pieces[i] != 0) entries.emplace_back(i, pattern.Pieces[i]);
  }
  entries.emplace_back(items + pattern.Type, 1.0);
  entries.emplace_back(stockRow, model.Types[pattern.Type].Length);
  return entries;
}

std::vector<double> PlanBars(const std::vector<CutPattern>& columns, const std::vector<CutPattern>& patterns,
                             const std::vector<int32_t>& bars) {
  std::vector<double> start(columns.size(), 0.0);
  for (size_t q = 0; q < patterns.size(); ++q) {
    const auto at = std::find_if(columns.begin(), columns.end(), [&](const CutPattern& c) {
      return c.Type == patterns[q].Type && c.Pieces == patterns[q].Pieces;
    });
    if (at != columns.end()) start[static_cast<size_t>(at - columns.begin())] += bars[q];
  }
  return start;
}

}  // namespace yobina
