#include "cli/offcut_commands.h"

#include <string_view>

#include "app/offcut_texts.h"
#include "cli/batch_run.h"
#include "file/readable_name.h"
#include "job/job_io.h"
#include "text/codec.h"

namespace yobina {
namespace {

void WriteLine(std::FILE* err, std::string_view cp932) {
  const std::string text = Cp932ToUtf8(cp932);
  std::fwrite(text.data(), 1, text.size(), err);
  std::fputc('\n', err);
}

void WriteError(std::FILE* err, const Inventory* inventory, const InventoryError& error) {
  std::string text = Cp932ToUtf8(error.Message);
  if (inventory != nullptr) text = ReadableFileName(inventory->File()) + ": " + text;
  std::fwrite(text.data(), 1, text.size(), err);
  std::fputc('\n', err);
}

}  // namespace

InventoryResult<Inventory> OpenOffcutInventory(const CliOptions& options) {
  if (options.OffcutsFile) return Inventory::Open(*options.OffcutsFile);
  return Inventory::OpenDefault();
}

int ListOffcuts(const CliOptions& options, std::FILE* out, std::FILE* err) {
  InventoryResult<Inventory> inventory = OpenOffcutInventory(options);
  if (!inventory) {
    WriteError(err, nullptr, inventory.Error());
    return kExitFailure;
  }
  const InventoryResult<std::vector<OffcutEntry>> entries = inventory.Value().List();
  if (!entries) {
    WriteError(err, &inventory.Value(), entries.Error());
    return kExitFailure;
  }
  const std::string csv = OffcutListCsv(entries.Value());
  std::fwrite(csv.data(), 1, csv.size(), out);
  return std::fflush(out) == 0 && !std::ferror(out) ? kExitPlanFound : kExitFailure;
}

InventoryResult<std::vector<PlacedOffcutRow>> TakeOffcuts(Inventory& inventory, JobDocument& document,
                                                          std::FILE* err) {
  document = Normalized(document);
  InventoryResult<TakenOffcuts> taken = inventory.Take(document.MemberName, FreeStockRows(document));
  if (!taken) {
    WriteError(err, &inventory, taken.Error());
    return taken.Error();
  }
  WriteLine(err, TakeSummary(taken.Value()));
  return PlaceTakenRows(document, taken.Value().Rows);
}

bool KeepOffcuts(Inventory& inventory, const PlanResult& result, const std::vector<PlacedOffcutRow>& placed,
                 const CliOptions& options, std::FILE* err) {
  if (result.Status != PlanStatus::Planned || result.Stopped) {
    WriteLine(err, Cp932("計画が完成していないため、残材を在庫へ記録しませんでした。"));
    return false;
  }
  const std::optional<KeepRequest> request = KeepRequestOf(
      result, placed, OffcutSource(result.Document, options.JobFile.filename().string()), TodayDate());
  if (!request) {
    WriteLine(err, Cp932("計画が素材リストと合わないため、残材を在庫へ記録しませんでした。"));
    return false;
  }
  const InventoryResult<InventoryChanges> changes = inventory.Keep(*request);
  if (!changes) {
    WriteError(err, &inventory, changes.Error());
    return false;
  }
  WriteLine(err, ChangeSummary(changes.Value()));
  for (const std::string& line : ChangeLines(changes.Value())) WriteLine(err, line);
  return true;
}

}  // namespace yobina
