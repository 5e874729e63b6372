// A building's sections and the offcut inventory: each section's offcuts (its
// name as the member name they were kept under) join its bars on hand, which
// are cut before anything is bought. The inventory itself is not changed.
#pragma once

#include <cstdint>

#include "inventory/inventory.h"
#include "project/project_input.h"

namespace yobina {

// The bars added over all sections.
InventoryResult<int64_t> TakeSectionOffcuts(Inventory& inventory, ProjectInput& input);

}  // namespace yobina
