#include "inventory/offcut_table.h"

#include <array>
#include <chrono>
#include <cstdint>

#include "inventory/stored_text.h"

namespace yobina {

namespace {

constexpr int64_t kApplicationId = 0x59424F43;  // "YBOC"

// Step n brings a file of version n to version n + 1; version 0 is a new file.
// Steps are only ever added at the end: a file of any earlier version is
// brought up to date by the steps after its own, in one transaction.
constexpr std::array<const char*, 3> kMigrations{
    // 1: the offcuts.
    "CREATE TABLE offcut ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " section TEXT NOT NULL,"
    " length INTEGER NOT NULL CHECK (length BETWEEN 1 AND 2147483647),"
    " count INTEGER NOT NULL CHECK (count BETWEEN 1 AND 2147483647),"
    " source TEXT NOT NULL,"
    " registered TEXT NOT NULL,"
    " UNIQUE (section, length, source, registered));",
    // 2: the plans kept and the rows taken into jobs.
    "CREATE TABLE kept_plan ("
    " plan TEXT PRIMARY KEY,"
    " kept TEXT NOT NULL,"
    " section TEXT NOT NULL,"
    " source TEXT NOT NULL);"
    "CREATE TABLE taken ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " job TEXT NOT NULL,"
    " taken TEXT NOT NULL,"
    " plan TEXT REFERENCES kept_plan (plan),"
    " row INTEGER NOT NULL,"
    " length INTEGER NOT NULL,"
    " count INTEGER NOT NULL,"
    " entry INTEGER NOT NULL,"
    " bars INTEGER NOT NULL);"
    "CREATE INDEX taken_job ON taken (job);",
    // 3: the steel of each offcut. Bars of another steel must not join an
    // entry, so the table is made anew with the wider key; ids and the next id
    // stay as they were.
    "CREATE TABLE offcut_steel ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " section TEXT NOT NULL,"
    " length INTEGER NOT NULL CHECK (length BETWEEN 1 AND 2147483647),"
    " count INTEGER NOT NULL CHECK (count BETWEEN 1 AND 2147483647),"
    " source TEXT NOT NULL,"
    " registered TEXT NOT NULL,"
    " grade TEXT NOT NULL DEFAULT '',"
    " heat TEXT NOT NULL DEFAULT '',"
    " mill_sheet TEXT NOT NULL DEFAULT '',"
    " UNIQUE (section, length, source, registered, grade, heat, mill_sheet));"
    "INSERT INTO offcut_steel (id, section, length, count, source, registered)"
    " SELECT id, section, length, count, source, registered FROM offcut;"
    "DELETE FROM sqlite_sequence WHERE name = 'offcut_steel';"
    "INSERT INTO sqlite_sequence (name, seq) SELECT 'offcut_steel', seq FROM sqlite_sequence"
    " WHERE name = 'offcut';"
    "DROP TABLE offcut;"
    "ALTER TABLE offcut_steel RENAME TO offcut;",
};
static_assert(kMigrations.size() == kCurrentLayout);

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
  if (version > kCurrentLayout) Refuse(InventoryFault::NewerVersion);
  return version;
}

}  // namespace

int64_t PrepareOffcutTable(sqlite3* connection, bool writable) {
  {
    // Usually the layout is current: then opening does not wait for another
    // connection's change to end.
    sqlite::Transaction read(connection, sqlite::Transaction::Read);
    const int64_t version = LayoutVersion(connection);
    if (version == kCurrentLayout || !writable) return version;
  }
  sqlite::Transaction write(connection, sqlite::Transaction::Write);
  const int64_t version = LayoutVersion(connection);  // another connection may have set it up meanwhile
  for (int64_t step = version; step < kCurrentLayout; ++step) {
    sqlite::Execute(connection, kMigrations[static_cast<std::size_t>(step)]);
  }
  const std::string pragmas = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                              "; PRAGMA user_version = " + std::to_string(kCurrentLayout) + ";";
  sqlite::Execute(connection, pragmas.c_str());
  write.Commit();
  return kCurrentLayout;
}

bool IsDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9')) return false;
  }
  const auto number = [text](std::size_t from, std::size_t size) {
    int value = 0;
    for (std::size_t i = from; i < from + size; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  const std::chrono::year_month_day date{std::chrono::year{number(0, 4)},
                                         std::chrono::month{static_cast<unsigned>(number(5, 2))},
                                         std::chrono::day{static_cast<unsigned>(number(8, 2))}};
  return date.ok();
}

std::string EntryColumns(int64_t layout) {
  return layout >= 3 ? "id, section, length, count, source, registered, grade, heat, mill_sheet"
                     : "id, section, length, count, source, registered, '', '', ''";
}

OffcutEntry ReadEntry(const sqlite::Statement& row) {
  OffcutEntry entry;
  entry.Id = row.Integer(0);
  entry.Section = ShownText(row.Text(1));
  entry.Length = static_cast<int32_t>(row.Integer(2));
  entry.Count = static_cast<int32_t>(row.Integer(3));
  entry.Source = ShownText(row.Text(4));
  entry.Date = ShownText(row.Text(5));
  entry.Trace = {ShownText(row.Text(6)), ShownText(row.Text(7)), ShownText(row.Text(8))};
  return entry;
}

}  // namespace yobina
