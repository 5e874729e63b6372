// The inventory's one table and its versions. Internal to the inventory.
//
//   offcut(id, section, length, count, source, registered)
//     id          never reused (AUTOINCREMENT)
//     section     the member name as typed, UTF-8
//     length      mm, 1..2^31-1
//     count       bars, 1..2^31-1; an entry with no bars is deleted
//     source      the job's file or project name, UTF-8
//     registered  "YYYY-MM-DD"
//     unique (section, length, source, registered): new bars of the same kind join their entry
//
// PRAGMA application_id marks the file as this program's; PRAGMA user_version
// is the layout's version, raised one step at a time by the migrations.
#pragma once

#include <sqlite3.h>

#include "inventory/offcut.h"
#include "inventory/sqlite_statement.h"

namespace yobina {

// The columns ReadEntry reads, in its order.
inline constexpr const char* kEntryColumns = "id, section, length, count, source, registered";

// Creates the table in a new file or brings an older layout up to date, in
// one transaction. Throws InventoryFailure for another program's file or a
// later layout.
void PrepareOffcutTable(sqlite3* connection);

// The entry in the statement's current row, selected with kEntryColumns.
OffcutEntry ReadEntry(const sqlite::Statement& row);

}  // namespace yobina
