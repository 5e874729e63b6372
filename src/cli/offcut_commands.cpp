#include "cli/offcut_commands.h"

#include <string_view>

#include "app/offcut_texts.h"
#include "app/plan_digest.h"
#include "cli/batch_run.h"
#include "job/job_io.h"
#include "text/codec.h"

namespace yobina {
namespace {

void WriteLine(std::FILE* err, std::string_view cp932) {
  const std::string text = Cp932ToUtf8(cp932);
  std::fwrite(text.data(), 1, text.size(), err);
  std::fputc('\n', err);
}

// The inventory's errors name its file.
void WriteError(std::FILE* err, const InventoryError& error) {
  WriteLine(err, error.Message);
}

}  // namespace

InventoryResult<Inventory> OpenOffcutInventory(const CliOptions& options) {
  if (options.OffcutsFile) return Inventory::Open(*options.OffcutsFile);
  return Inventory::OpenDefault();
}

int ListOffcuts(const CliOptions& options, std::FILE* out, std::FILE* err) {
  InventoryResult<Inventory> inventory = OpenOffcutInventory(options);
  if (!inventory) {
    WriteError(err, inventory.Error());
    return kExitFailure;
  }
  const InventoryResult<std::vector<OffcutEntry>> entries = inventory.Value().List();
  if (!entries) {
    WriteError(err, entries.Error());
    return kExitFailure;
  }
  const std::string csv = OffcutListCsv(entries.Value());
  std::fwrite(csv.data(), 1, csv.size(), out);
  return std::fflush(out) == 0 && !std::ferror(out) ? kExitPlanFound : kExitFailure;
}

InventoryResult<std::vector<PlacedOffcutRow>> TakeOffcuts(Inventory& inventory, JobDocument& document,
                                                          bool record, std::FILE* err) {
  document = Normalized(document);
  const InventoryResult<std::optional<TakenRecord>> before = inventory.TakenInto(JobDigest(document));
  if (!before) {
    WriteError(err, before.Error());
    return before.Error();
  }
  if (before.Value()) {
    const InventoryError refused =
        NamingFile({InventoryFault::AlreadyTaken, Cp932("このデータには ") + before.Value()->Date +
                                                      Cp932(" に在庫の残材を取り込み済みです。")},
                   inventory.File());
    WriteError(err, refused);
    return refused;
  }
  InventoryResult<TakenOffcuts> taken = inventory.Take(document.MemberName, FreeStockRows(document));
  if (!taken) {
    WriteError(err, taken.Error());
    return taken.Error();
  }
  WriteLine(err, TakeSummary(taken.Value()));
  std::vector<PlacedOffcutRow> placed = PlaceTakenRows(document, taken.Value().Rows);
  if (!record || placed.empty()) return placed;
  if (inventory.ReadOnly()) {
    WriteLine(err, Cp932("残材在庫が読み取り専用のため、取り込んだ残材を在庫に記録しませんでした。"));
    return placed;
  }
  // The rows stay where they are put while the job is tidied for planning.
  const InventoryResult<InventoryDone> recorded =
      inventory.RecordTaken(JobDigest(Normalized(document)), placed, TodayDate());
  if (!recorded) {
    WriteError(err, recorded.Error());
    return recorded.Error();
  }
  return placed;
}

InventoryResult<std::vector<PlacedOffcutRow>> RecordedTakenRows(Inventory& inventory,
                                                                const JobDocument& document, std::FILE* err) {
  const InventoryResult<std::optional<TakenRecord>> record =
      inventory.TakenInto(JobDigest(Normalized(document)));
  if (!record) {
    WriteError(err, record.Error());
    return record.Error();
  }
  if (!record.Value() || record.Value()->Kept) return std::vector<PlacedOffcutRow>{};
  return record.Value()->Rows;
}

bool KeepOffcuts(Inventory& inventory, const PlanResult& result, const std::vector<PlacedOffcutRow>& placed,
                 const std::vector<SteelTrace>& rowTraces, const CliOptions& options, std::FILE* err) {
  if (result.Status != PlanStatus::Planned || result.Stopped) {
    WriteLine(err, Cp932("計画が完成していないため、残材を在庫へ記録しませんでした。"));
    return false;
  }
  const std::optional<KeepRequest> request =
      KeepRequestOf(result, placed, OffcutSource(result.Document, options.JobFile.filename().string()),
                    TodayDate(), rowTraces);
  if (!request) {
    WriteLine(err, Cp932("計画が素材リストと合わないため、残材を在庫へ記録しませんでした。"));
    return false;
  }
  const InventoryResult<InventoryChanges> changes = inventory.Keep(*request);
  if (!changes) {
    WriteError(err, changes.Error());
    return false;
  }
  WriteLine(err, ChangeSummary(changes.Value()));
  for (const std::string& line : ChangeLines(changes.Value())) WriteLine(err, line);
  return true;
}

}  // namespace yobina
