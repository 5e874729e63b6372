// yobina-cli and the offcut inventory: --list-offcuts, and the take and keep
// steps around the planning of --take-offcuts and --keep-offcuts. Every
// change goes through the inventory's own transactions.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/offcut_stock.h"
#include "cli/cli_options.h"
#include "inventory/inventory.h"
#include "plan/plan_result.h"

namespace yobina {

// The inventory --offcuts names, else the user's; the message for stderr
// (UTF-8) when it cannot be opened.
InventoryResult<Inventory> OpenOffcutInventory(const CliOptions& options);

// --list-offcuts: the exit status.
int ListOffcuts(const CliOptions& options, std::FILE* out, std::FILE* err);

// Puts the section's offcuts into the document's free stock rows and says on
// `err` what was taken and what did not fit. The document is tidied first, so
// the rows stay where they are put while it is planned. Refused (said on
// `err`) for a job the inventory knows rows were taken into already. With
// `record`, the rows are recorded as taken into the job as it is planned (and
// saved), so that a later run of the saved job knows them; a read-only
// inventory records nothing, and says so.
InventoryResult<std::vector<PlacedOffcutRow>> TakeOffcuts(Inventory& inventory, JobDocument& document,
                                                          bool record, std::FILE* err);

// The rows recorded as taken into the job (a saved job they were taken into)
// and not yet settled by a keep; none when there are none.
InventoryResult<std::vector<PlacedOffcutRow>> RecordedTakenRows(Inventory& inventory,
                                                                const JobDocument& document, std::FILE* err);

// Records the plan's offcuts, each with the steel of its bar (a taken entry's,
// else its stock row's in `rowTraces`), and removes the taken ones it cuts, in
// one transaction, listing the changes on `err`. False when refused (said on
// `err`), also for a plan kept before.
bool KeepOffcuts(Inventory& inventory, const PlanResult& result, const std::vector<PlacedOffcutRow>& placed,
                 const std::vector<SteelTrace>& rowTraces, const CliOptions& options, std::FILE* err);

}  // namespace yobina
