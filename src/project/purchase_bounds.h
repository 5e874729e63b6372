// Lower bounds on what a section must buy with a given set of lengths, cheap
// enough to skip the sets that cannot beat a plan already found. Valid for a
// section without bars on hand.
#pragma once

#include <cstdint>
#include <vector>

#include "project/project_input.h"

namespace yobina {

struct PurchaseBound {
  int64_t StockMm = 0;  // no plan with these lengths uses less stock
  int64_t Bars = 0;     // nor fewer bars
};

// One length: bars from dual feasible functions (Fekete and Schepers' u^k
// after Martello and Toth's large-piece rounding), which weigh each piece so
// that no bar holds more than one unit. Two lengths a < b: the same count at
// b's capacity bounds the bars of both kinds (a bar of a holds no more); the
// pieces too long for a need bars of b; and the bars hold the pieces' length.
PurchaseBound BoundFor(const SectionInput& section, const std::vector<int32_t>& lengths);

}  // namespace yobina
