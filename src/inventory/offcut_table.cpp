#include "inventory/offcut_table.h"

#include <array>
#include <cstdint>

#include "inventory/stored_text.h"

namespace yobina {

namespace {

constexpr int64_t kApplicationId = 0x59424F43;  // "YBOC"

// Step n brings a file of version n to version n + 1; version 0 is a new file.
constexpr std::array<const char*, 1> kMigrations{
    "CREATE TABLE offcut ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " section TEXT NOT NULL,"
    " length INTEGER NOT NULL CHECK (length BETWEEN 1 AND 2147483647),"
    " count INTEGER NOT NULL CHECK (count BETWEEN 1 AND 2147483647),"
    " source TEXT NOT NULL,"
    " registered TEXT NOT NULL,"
    " UNIQUE (section, length, source, registered));",
};
constexpr int64_t kCurrentVersion = static_cast<int64_t>(kMigrations.size());

[[noreturn]] void Refuse(InventoryFault fault) {
  throw sqlite::InventoryFailure{MakeInventoryError(fault)};
}

// The layout's version, read in the transaction the caller holds. Refuses
// another program's file and a later layout.
int64_t LayoutVersion(sqlite3* connection) {
  const int64_t application = sqlite::SingleInteger(connection, "PRAGMA application_id");
  const int64_t version = sqlite::SingleInteger(connection, "PRAGMA user_version");
  const bool empty = sqlite::SingleInteger(connection, "SELECT count(*) FROM sqlite_schema") == 0;
  if (application != kApplicationId && !(application == 0 && version == 0 && empty)) {
    Refuse(InventoryFault::NotInventory);
  }
  if (version > kCurrentVersion) Refuse(InventoryFault::NewerVersion);
  return version;
}

}  // namespace

void PrepareOffcutTable(sqlite3* connection) {
  {
    // Usually the layout is current: then opening does not wait for another
    // connection's change to end.
    sqlite::Transaction read(connection, sqlite::Transaction::Read);
    if (LayoutVersion(connection) == kCurrentVersion) return;
  }
  sqlite::Transaction write(connection, sqlite::Transaction::Write);
  const int64_t version = LayoutVersion(connection);  // another connection may have set it up meanwhile
  for (int64_t step = version; step < kCurrentVersion; ++step) {
    sqlite::Execute(connection, kMigrations[static_cast<std::size_t>(step)]);
  }
  const std::string pragmas = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                              "; PRAGMA user_version = " + std::to_string(kCurrentVersion) + ";";
  sqlite::Execute(connection, pragmas.c_str());
  write.Commit();
}

OffcutEntry ReadEntry(const sqlite::Statement& row) {
  OffcutEntry entry;
  entry.Id = row.Integer(0);
  entry.Section = ShownText(row.Text(1));
  entry.Length = static_cast<int32_t>(row.Integer(2));
  entry.Count = static_cast<int32_t>(row.Integer(3));
  entry.Source = ShownText(row.Text(4));
  entry.Date = ShownText(row.Text(5));
  return entry;
}

}  // namespace yobina
