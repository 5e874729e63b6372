#include "exact/job_model.h"

#include <algorithm>

#include "text/codec.h"

namespace yobina {

namespace {

int32_t RowsInUse(int32_t count) {
  return std::clamp(count, 0, kTableCapacity);
}

}  // namespace

std::optional<std::string> RefusalOf(const TJob& job) {
  if (job.Kerf < 0) return Cp932("切り代が負のため、最適化できません。");
  bool anyNeeded = false;
  for (int32_t k = 1; k <= RowsInUse(job.CutCount); ++k) {
    const TLengthRow& row = job.CutTable[k];
    if (row.Count <= 0) continue;
    anyNeeded = true;
    // A Run lets such a piece fit a bar with no room left, any number of times.
    if (row.Length <= job.Margin) return Cp932("切断長が素材の余裕以下の行があるため、最適化できません。");
    if (row.Length <= 0) return Cp932("切断長が0以下の行があるため、最適化できません。");
  }
  if (!anyNeeded) return Cp932("切断する部材がないため、最適化できません。");
  for (int32_t k = 1; k <= RowsInUse(job.StockCount); ++k) {
    const TLengthRow& row = job.StockTable[k];
    if (row.Count > 0 && row.Length <= 0) return Cp932("素材長が0以下の行があるため、最適化できません。");
  }
  return std::nullopt;
}

CuttingModel ModelOf(const TJob& job) {
  CuttingModel model;
  int64_t pieces = 0;
  for (int32_t k = 1; k <= RowsInUse(job.CutCount); ++k) {
    const TLengthRow& row = job.CutTable[k];
    if (row.Count <= 0) continue;
    model.Items.push_back({k, int64_t{row.Length} + job.Kerf, row.Count});
    pieces += row.Count;
  }
  for (int32_t k = 1; k <= RowsInUse(job.StockCount); ++k) {
    const TLengthRow& row = job.StockTable[k];
    if (row.Count <= 0) continue;
    auto type = std::find_if(model.Types.begin(), model.Types.end(),
                             [&](const StockType& t) { return t.Length == row.Length; });
    if (type == model.Types.end()) {
      StockType added;
      added.Length = row.Length;
      added.Capacity = int64_t{row.Length} + job.Margin + job.Kerf;
      added.Short = row.Length < job.SmallStockLimit;
      model.Types.push_back(added);
      type = model.Types.end() - 1;
    }
    type->OnHand = static_cast<int32_t>(std::min<int64_t>(int64_t{type->OnHand} + row.Count, INT32_MAX));
    type->Rows.push_back(k);
  }
  for (StockType& type : model.Types)
    type.MaxBars = static_cast<int32_t>(std::min<int64_t>(type.OnHand, pieces));
  return model;
}

bool HasShortStock(const CuttingModel& model) {
  return std::any_of(model.Types.begin(), model.Types.end(), [](const StockType& t) { return t.Short; });
}

bool EveryPieceFits(const CuttingModel& model) {
  int64_t longest = 0;
  for (const StockType& type : model.Types) {
    if (type.MaxBars > 0) longest = std::max(longest, type.Capacity);
  }
  return std::all_of(model.Items.begin(), model.Items.end(),
                     [&](const CutItem& item) { return item.Weight <= longest; });
}

std::vector<CuttingModel> ShortFirstCases(const CuttingModel& model) {
  const bool anyLong =
      std::any_of(model.Types.begin(), model.Types.end(), [](const StockType& t) { return !t.Short; });
  if (!HasShortStock(model) || !anyLong) return {model};
  CuttingModel shortOnly = model;
  for (StockType& type : shortOnly.Types) {
    if (!type.Short) type.MaxBars = 0;
  }
  CuttingModel allShort = model;
  for (StockType& type : allShort.Types) {
    if (type.Short) type.MinBars = type.MaxBars = type.OnHand;
  }
  return {shortOnly, allShort};
}

bool KeepsBarLimits(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                    const std::vector<int32_t>& bars) {
  std::vector<int64_t> used(model.Types.size(), 0);
  for (size_t p = 0; p < patterns.size(); ++p) used[patterns[p].Type] += bars[p];
  for (size_t t = 0; t < model.Types.size(); ++t) {
    if (used[t] < model.Types[t].MinBars || used[t] > model.Types[t].MaxBars) return false;
  }
  return true;
}

}  // namespace yobina
