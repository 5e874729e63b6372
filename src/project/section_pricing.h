// What the bars of a section cost, where that can be known: a price per bar,
// or a price per tonne times the bar's weight from the unit weight.
#pragma once

#include <cstdint>
#include <optional>

#include "project/project_input.h"

namespace yobina {

struct SectionPricing {
  bool Priced = false;  // every buyable length has a known bar cost
  // Least stock length is least cost: the cost per mm is one figure for every
  // length, or nothing is priced (then the least stock is the aim).
  bool Proportional = true;
};

SectionPricing PricingOf(const SectionInput& section);

// Yen for one bar of `length`; nullopt when not priced (or per tonne without a unit weight).
std::optional<double> BarYen(const SectionInput& section, int32_t length);

// kg of one bar of `length`; nullopt without a unit weight.
std::optional<double> BarKg(const SectionInput& section, int32_t length);

}  // namespace yobina
