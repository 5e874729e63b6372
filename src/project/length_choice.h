// Which lengths a section buys under a limit of K >= 3 lengths: an integer
// program over cutting patterns of every buyable length, with a yes/no
// variable per length that lets its patterns be used.
//
//   minimise   sum_p c(p) x_p                     c: the bar's price, or its length unpriced
//   subject to sum_p a_ip x_p >= d_i              every cut row i (a_ip pieces of i in p)
//              sum_{p of t} x_p <= U_t y_t        every length t (U_t: every piece on its own bar)
//              sum_t y_t <= K
//              x_p whole >= 0, y_t in {0, 1}
//
// The patterns are those column generation finds for each length alone, not
// every pattern: the choice is not proven, and the section is then planned
// with the chosen lengths by the optimal planner.
#pragma once

#include <cstdint>
#include <vector>

#include "exact/deadline.h"
#include "project/project_input.h"

namespace yobina {

// The lengths to offer, ascending; empty when the program found none in its
// budget or the section has bars on hand (whose use the program does not model).
std::vector<int32_t> ChooseLengths(const SectionInput& section, int32_t maxLengths, bool byCost,
                                   const Deadline& deadline);

}  // namespace yobina
