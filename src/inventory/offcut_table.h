// The inventory's tables and their versions. Internal to the inventory.
//
//   offcut(id, section, length, count, source, registered)
//     id          never reused (AUTOINCREMENT)
//     section     the member name as typed, UTF-8
//     length      mm, 1..2^31-1
//     count       bars, 1..2^31-1; an entry with no bars is deleted
//     source      the job's file or project name, UTF-8
//     registered  "YYYY-MM-DD"
//     grade, heat, mill_sheet   since version 3: 鋼種, 溶鋼番号, ミルシート番号 of
//                 the bar it was left of, UTF-8; '' while not known
//     unique (section, length, source, registered, grade, heat, mill_sheet):
//                 new bars of the same kind join their entry
//   kept_plan(plan, kept, section, source)            since version 2
//     plan        the plan's digest (PlanDigest); a plan is kept once
//     kept        "YYYY-MM-DD"; section and source as the keep gave them
//   taken(id, job, taken, plan, row, length, count, entry, bars)   since version 2
//     one line per entry of a row taken into a job: the job's digest
//     (JobDigest), the day, the stock row (0-based) with its length and count,
//     and the entry's id and bars; plan: the kept plan that settled the
//     taking, NULL while it is open. The entry may be gone since.
//
// PRAGMA application_id marks the file as this program's; PRAGMA user_version
// is the layout's version, raised one step at a time by the migrations.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "inventory/offcut.h"
#include "inventory/sqlite_statement.h"

namespace yobina {

inline constexpr int64_t kCurrentLayout = 3;

// The columns ReadEntry reads, in its order, from a file of the layout
// `layout` (a file opened read-only is left as it is: an older one has no
// steel columns, and its entries none).
std::string EntryColumns(int64_t layout = kCurrentLayout);

// Creates the tables in a new file or brings an older layout up to date, in
// one transaction; a connection that may not write leaves the layout as it
// is. The layout's version now. Throws InventoryFailure for another
// program's file or a later layout.
int64_t PrepareOffcutTable(sqlite3* connection, bool writable);

// "YYYY-MM-DD", a day of the calendar.
bool IsDate(std::string_view text);

// The entry in the statement's current row, selected with EntryColumns.
OffcutEntry ReadEntry(const sqlite::Statement& row);

}  // namespace yobina
