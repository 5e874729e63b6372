#include "project/section_offcuts.h"

namespace yobina {

InventoryResult<int64_t> TakeSectionOffcuts(Inventory& inventory, ProjectInput& input) {
  int64_t bars = 0;
  for (SectionInput& section : input.Sections) {
    const InventoryResult<std::vector<OffcutEntry>> entries = inventory.List(section.Name);
    if (!entries) return entries.Error();
    for (const OffcutEntry& entry : entries.Value()) {
      AddBarsOnHand(section, entry.Length, entry.Count);
      bars += entry.Count;
    }
  }
  return bars;
}

}  // namespace yobina
