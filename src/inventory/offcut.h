// The values the offcut inventory hands out and takes in. Texts are code page
// 932, as the job holds them; the database keeps them as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plan/steel_trace.h"

namespace yobina {

// One entry of the inventory: bars of one length from one job, kept on one date.
struct OffcutEntry {
  int64_t Id = 0;         // never reused, so a remembered id cannot name a later entry
  std::string Section;    // the member name (部材名) as typed
  int32_t Length = 0;     // mm, above 0
  int32_t Count = 0;      // bars, above 0 while the entry exists
  std::string Source;     // the job it came from: its file or project name
  std::string Date;       // the day it was kept, "YYYY-MM-DD"
  SteelTrace Trace = {};  // the steel of the bar it was left of; bars of another steel are another entry
  bool operator==(const OffcutEntry&) const = default;
};

// Bars of one entry: what a row of the stock list came from, what a plan used,
// or what is to be removed.
struct EntryUse {
  int64_t Id = 0;
  int32_t Count = 0;
  SteelTrace Trace = {};  // the entry's steel, where Take or TakenInto give the entry out
  bool operator==(const EntryUse&) const = default;
};

// One row for the stock list: the bars of one length, and the entries they are.
struct TakenRow {
  int32_t Length = 0;
  int32_t Count = 0;
  std::vector<EntryUse> Entries;  // oldest first; their counts add up to Count
  bool operator==(const TakenRow&) const = default;
};

struct TakenOffcuts {
  std::vector<TakenRow> Rows;  // ascending by length
  int32_t RowsLeftOut = 0;     // rows that did not fit the free rows
  int64_t BarsLeftOut = 0;     // the bars of those rows
};

// Bars of one length a plan left over and that are worth keeping.
struct NewOffcut {
  int32_t Length = 0;  // mm
  int32_t Count = 0;
  SteelTrace Trace = {};  // of the bars they are left of
};

// What "keep" records: the plan's offcuts, and the taken entries the plan used.
struct KeepRequest {
  std::string Section;  // the job's member name, as typed
  std::string Source;   // the job's file or project name
  std::string Date;     // "YYYY-MM-DD"; TodayDate() for today
  std::vector<NewOffcut> Offcuts;
  std::vector<EntryUse> Used;  // an id may appear more than once; its counts add up
  // The plan's digest (PlanDigest), remembered with the keep so that the same
  // plan is never kept twice; empty: not remembered.
  std::string Plan = {};
  // The digest of the job whose recorded taking the keep settles (JobDigest); empty: none.
  std::string Job = {};
};

// A taken row where it stands: its row of the stock list (0-based) and the
// inventory entries its bars are.
struct PlacedOffcutRow {
  int32_t Row = 0;
  TakenRow Taken;
  bool operator==(const PlacedOffcutRow&) const = default;
};

// The rows taken into one job, as recorded.
struct TakenRecord {
  std::string Date;   // the day they were taken, "YYYY-MM-DD"
  bool Kept = false;  // a plan of the job was kept since, and used them
  std::vector<PlacedOffcutRow> Rows;
};

// One entry a change touches.
struct OffcutChange {
  OffcutEntry Entry;        // as the change leaves it; Count 0 when the entry is gone
  int32_t CountBefore = 0;  // 0 for an entry the change creates
  bool operator==(const OffcutChange&) const = default;
};

struct InventoryChanges {
  std::vector<OffcutChange> Changes;  // by section, length, date, source, id
  int64_t BarsAdded = 0;
  int64_t BarsRemoved = 0;
};

}  // namespace yobina
