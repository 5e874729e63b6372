// The cutting job: the stock and cut tables and the job parameters.
#pragma once

#include <array>
#include <cstdint>

#include "job/page_elements.h"

namespace yobina {

struct TLengthRow {
  int32_t Length = 0;     // mm
  int32_t Count = 0;      // bars on hand, or pieces required, as typed
  int32_t Remaining = 0;  // working count of a trial
};

constexpr int kTableCapacity = 100;
constexpr int32_t kSmallStockLimit = 5000;

// Rows 1..count are in use; row 0 is the scratch row of the sorts and the
// optimizer's sentinel; rows past the count hold stale data.
using TLengthTable = std::array<TLengthRow, kTableCapacity + 1>;

struct TJob {
  TLengthTable StockTable{};
  int32_t StockCount = 0;
  TLengthTable CutTable{};
  int32_t CutCount = 0;
  int32_t Margin = 0;  // mm every bar may be overrun by
  int32_t Kerf = 0;    // mm lost at every cut
  int32_t SmallStockLimit = kSmallStockLimit;
};

}  // namespace yobina
