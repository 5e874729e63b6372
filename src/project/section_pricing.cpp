#include "project/section_pricing.h"

#include <algorithm>
#include <cmath>

namespace yobina {

std::optional<double> BarKg(const SectionInput& section, int32_t length) {
  if (!section.UnitWeight) return std::nullopt;
  return *section.UnitWeight * length / 1000;
}

std::optional<double> BarYen(const SectionInput& section, int32_t length) {
  const auto entry = std::find_if(section.Lengths.begin(), section.Lengths.end(),
                                  [&](const BuyableLength& l) { return l.Length == length; });
  if (entry == section.Lengths.end()) return std::nullopt;
  switch (entry->Kind) {
    case PriceKind::PerBar:
      return entry->Price;
    case PriceKind::PerTonne:
      if (const std::optional<double> kg = BarKg(section, length)) return entry->Price * *kg / 1000;
      return std::nullopt;
    case PriceKind::None:
      return std::nullopt;
  }
  return std::nullopt;
}

SectionPricing PricingOf(const SectionInput& section) {
  SectionPricing pricing;
  pricing.Priced = !section.Lengths.empty();
  double least = INFINITY;
  double most = 0;
  for (const BuyableLength& length : section.Lengths) {
    const std::optional<double> yen = BarYen(section, length.Length);
    if (!yen) {
      pricing.Priced = false;
      continue;
    }
    least = std::min(least, *yen / length.Length);
    most = std::max(most, *yen / length.Length);
  }
  pricing.Proportional = !pricing.Priced || most - least <= 1e-9 * most;
  return pricing;
}

}  // namespace yobina
