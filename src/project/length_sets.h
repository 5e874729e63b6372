// The sets of lengths a section may buy under a limit of one or two lengths,
// the order to plan them in, and when a set need not be planned at all.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "project/project_input.h"

namespace yobina {

// The longest part no bar on hand can hold (0 when they hold every part):
// what is bought must hold it.
int32_t NeededLength(const SectionInput& section);

// Whether a bar of `length` holds a part of `needed` mm (the margin counts).
bool Holds(const SectionInput& section, int32_t length, int32_t needed);

struct LengthSet {
  std::vector<int32_t> Lengths;  // ascending
  // No plan of the set comes lower: cost (by cost) or stock bought (mm); 0 when unknown.
  double LeastPrimary = 0;
  int64_t LeastBars = 0;
};

// Every set of k lengths (k = 1 or 2; single lengths too when byCost) that
// holds the needed length, with bounds where they hold (no bars on hand; for
// cost, single lengths only). The likeliest best first: by the bound (never
// under `floor`, what every set must use), then by the stock a plan over every
// length bought of their lengths (`usage`, mm a length), then by bars.
std::vector<LengthSet> LengthSets(const SectionInput& section, int32_t k, bool byCost, double floor,
                                  const std::map<int32_t, int64_t>& usage);

// Whether no plan of the set can cost less (use less stock) than `bestPrimary`.
bool CannotBeat(const LengthSet& set, double floor, double bestPrimary);

}  // namespace yobina
