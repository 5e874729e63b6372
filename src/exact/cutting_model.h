// The job as the planner's model sees it: the pieces still to cut (one item a
// needed cut row), the stock pooled by length, and cutting patterns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace yobina {

struct CutItem {
  int32_t Row = 0;     // cut-table row
  int64_t Weight = 0;  // length + kerf: what one piece takes of a bar's capacity
  int32_t Demand = 0;  // pieces required
};

// All stock rows of one length.
struct StockType {
  int32_t Length = 0;         // mm
  int64_t Capacity = 0;       // length + margin + kerf: a pattern's weights may sum to this
  int32_t OnHand = 0;         // bars in stock
  int32_t MinBars = 0;        // bars the plan must use
  int32_t MaxBars = 0;        // bars the plan may use
  bool Short = false;         // under the small-stock limit
  std::vector<int32_t> Rows;  // its stock-table rows with bars, ascending
};

struct CutPattern {
  int32_t Type = 0;             // index into the stock types
  std::vector<int32_t> Pieces;  // per item
};

struct CuttingModel {
  std::vector<CutItem> Items;
  std::vector<StockType> Types;
};

// The weight a pattern puts on its bar.
int64_t PatternWeight(const CuttingModel& model, const CutPattern& pattern);

// The step between the stock totals plans can come to: the common divisor of
// the lengths whose bar count is free (1 when none is).
int64_t StockTotalStep(const CuttingModel& model);

// The columns an integer program's solution uses (its values rounded), with
// their bar counts, appended to `patterns` and `bars`.
void TakeUsedPatterns(const std::vector<CutPattern>& columns, const std::vector<double>& values,
                      std::vector<CutPattern>& patterns, std::vector<int32_t>& bars);

// A pattern's stock length, summed over bar counts per pattern.
int64_t StockLengthOf(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                      const std::vector<int32_t>& bars);

}  // namespace yobina
