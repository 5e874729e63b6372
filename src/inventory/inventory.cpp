#include "inventory/inventory.h"

#include <sqlite3.h>

#include <algorithm>
#include <system_error>
#include <utility>

#include "inventory/offcut_table.h"
#include "inventory/sqlite_statement.h"
#include "inventory/stored_text.h"
#include "text/codec.h"

namespace yobina {

void Inventory::Closer::operator()(sqlite3* connection) const {
  sqlite3_close_v2(connection);
}

Inventory::Inventory(sqlite3* connection, std::filesystem::path file)
    : connection_(connection), file_(std::move(file)) {}
Inventory::Inventory(Inventory&& other) noexcept = default;
Inventory& Inventory::operator=(Inventory&& other) noexcept = default;
Inventory::~Inventory() = default;

InventoryResult<Inventory> Inventory::Open(const std::filesystem::path& file,
                                           std::chrono::milliseconds busyTimeout) {
  return Guarded([&]() -> InventoryResult<Inventory> {
    if (file.empty())
      return MakeInventoryError(InventoryFault::CannotOpen);  // SQLite would open a temporary file
    // Absolute, so that names SQLite treats specially (":memory:", "file:...") stay file names.
    std::filesystem::path absolute = std::filesystem::absolute(file);
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(
        absolute.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXRESCODE, nullptr);
    Inventory inventory(raw, std::move(absolute));  // closes the handle SQLite gives even on failure
    sqlite::Check(opened);
    sqlite3_busy_timeout(raw, static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(
                                  busyTimeout.count(), 0, 1000 * 60 * 60)));
    sqlite::Execute(raw, "PRAGMA foreign_keys = ON");
    // Readers and one writer then work side by side. Where the file system
    // gives no shared memory SQLite stays with its rollback journal, which
    // keeps changes just as whole.
    sqlite::SingleText(raw, "PRAGMA journal_mode = WAL");
    PrepareOffcutTable(raw);
    if (sqlite::SingleText(raw, "PRAGMA quick_check") != "ok")
      return MakeInventoryError(InventoryFault::Corrupt);
    return inventory;
  });
}

InventoryResult<Inventory> Inventory::OpenDefault() {
  const std::optional<std::filesystem::path> file = DefaultInventoryPath();
  if (!file) {
    return InventoryError{InventoryFault::CannotOpen,
                          Cp932("利用者のデータフォルダが分からないため、残材在庫を開けません。")};
  }
  std::error_code error;
  std::filesystem::create_directories(file->parent_path(), error);
  if (error) return MakeInventoryError(InventoryFault::CannotOpen);
  return Open(*file);
}

InventoryResult<std::vector<OffcutEntry>> Inventory::List(std::optional<std::string_view> section) {
  return Guarded([&]() -> InventoryResult<std::vector<OffcutEntry>> {
    std::vector<OffcutEntry> entries;
    std::string sql = std::string("SELECT ") + kEntryColumns + " FROM offcut";
    if (section) sql += " WHERE section = ?1";
    sql += " ORDER BY section, length, registered, source, id";
    sqlite::Statement select(connection_.get(), sql);
    if (section) {
      const std::optional<std::string> stored = StoredSection(*section);
      if (!stored) return entries;  // no stored name has such bytes
      select.Bind(1, *stored);
    }
    while (select.Step()) entries.push_back(ReadEntry(select));
    return entries;
  });
}

}  // namespace yobina
