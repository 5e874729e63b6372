// Every pattern whose value is close to the best of its type: the patterns a
// reduced-cost argument cannot rule out, listed in full so that an integer
// program over them alone proves a plan optimal.
//
// Only maximal patterns are listed (no piece of an item still under its demand
// fits the room the bar has left), each with at most the demand of every item.
// Under the cover rows that loses nothing: cutting a plan's patterns back to
// the demands and filling each up to a maximal one keeps the plan's cover and
// its stock, so any plan better than a given one has a twin of such patterns
// only, to which the reduced-cost bound applies as to every plan.
//
// Pieces of no value are not settled by a fixed fill: two maximal patterns that
// differ only in such pieces cover different rows, so neither can stand in for
// the other. Every maximal way to fill the room is listed; the search instead
// cuts every branch that cannot end maximal (the pieces still to choose could
// not bring the room below the lightest piece left short of its demand), which
// keeps the search near the size of the list: about 15 choices per listed
// pattern on jobs of 30 items. Where the list still grows past the limits, the
// result says it is incomplete.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "exact/cutting_model.h"

namespace yobina {

struct EnumerationLimits {
  size_t MaxPatterns = 300000;     // the list may not grow past this
  int64_t MaxNodes = 100'000'000;  // choices the search may make, over all types: a few seconds at most
  const std::atomic<bool>* Stop = nullptr;  // read every few thousand choices
};

struct PatternEnumeration {
  std::vector<CutPattern> Patterns;  // type by type, each type's in the search's fixed order
  bool Complete = true;              // false: a limit or the stop ended the search; no proof holds then
  int64_t Nodes = 0;                 // choices made
};

// Every maximal pattern of every type with MaxBars > 0 whose value, the sum of
// values[i] per piece of item i, is at least minValue[type]. Item weights are
// positive, as the model makes them; values should be finite, and the search
// prunes best with them at or above zero. A relative
// tolerance of 1e-9 lets patterns a rounding error below the limit in: a few
// extra patterns harm no proof, a missing one would. A negative capacity holds
// only the empty pattern, as in the pricing. A model of more items than a job
// has cut rows is not listed (Complete false). Same input, same list in the
// same order.
PatternEnumeration EnumeratePatterns(const CuttingModel& model, const std::vector<double>& values,
                                     const std::vector<double>& minValue, const EnumerationLimits& limits);

}  // namespace yobina
