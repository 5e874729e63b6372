#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

#include "inventory/inventory.h"
#include "inventory/offcut_table.h"
#include "inventory/sqlite_statement.h"
#include "inventory/stored_text.h"
#include "text/codec.h"

namespace yobina {

namespace {

InventoryError BadRequest(std::string_view utf8) {
  return InventoryError{InventoryFault::BadRequest, Cp932(utf8)};
}

std::optional<InventoryError> Invalid(const KeepRequest& request) {
  for (const EntryUse& bars : request.Used) {
    if (bars.Count <= 0) return MakeInventoryError(InventoryFault::BadRequest);
  }
  for (const NewOffcut& offcut : request.Offcuts) {
    if (offcut.Length <= 0 || offcut.Count <= 0) return MakeInventoryError(InventoryFault::BadRequest);
  }
  // The date is stored with new bars and with a remembered plan, the section with new bars.
  if (request.Offcuts.empty() && request.Plan.empty()) return std::nullopt;
  if (!IsDate(request.Date)) return BadRequest("残材の登録日は YYYY-MM-DD の形で指定してください。");
  if (!request.Offcuts.empty() && !StoredSection(request.Section)) {
    return BadRequest("部材名にシフトJISで読めない文字があるため、残材を記録できません。");
  }
  return std::nullopt;
}

// An entry the change touches: as it was, and its count as it goes.
struct Tally {
  OffcutEntry Entry;
  int64_t Before = 0;
  int64_t After = 0;
};

}  // namespace

InventoryResult<InventoryChanges> Inventory::Keep(const KeepRequest& request) {
  return Apply(request, true);
}

InventoryResult<InventoryChanges> Inventory::PreviewKeep(const KeepRequest& request) {
  return Apply(request, false);
}

InventoryResult<InventoryChanges> Inventory::Remove(EntryUse bars) {
  KeepRequest request;
  request.Used.push_back(bars);
  InventoryResult<InventoryChanges> result = Apply(request, true);
  if (!result && result.Error().Fault == InventoryFault::Changed) {
    return NamingFile(
        InventoryError{InventoryFault::Changed,
                       Cp932("残材在庫が他で変更されたため、削除できません。一覧を確かめてください。")},
        file_);
  }
  return result;
}

InventoryResult<InventoryChanges> Inventory::Apply(const KeepRequest& request, bool commit) {
  return Guarded(file_, [&]() -> InventoryResult<InventoryChanges> {
    CheckWritable();
    const std::optional<InventoryError> invalid = Invalid(request);
    if (invalid) return *invalid;
    const std::optional<std::string> section = StoredSection(request.Section);
    InventoryChanges changes;
    std::map<int64_t, int64_t> used;  // bars by entry
    for (const EntryUse& bars : request.Used) {
      used[bars.Id] += bars.Count;
      changes.BarsRemoved += bars.Count;
    }
    std::map<std::pair<int32_t, SteelTrace>, int64_t> added;  // bars by length and steel
    for (const NewOffcut& offcut : request.Offcuts) {
      added[{offcut.Length, offcut.Trace}] += offcut.Count;
      changes.BarsAdded += offcut.Count;
    }

    sqlite3* connection = connection_.get();
    sqlite::Transaction transaction(connection, sqlite::Transaction::Write);
    if (!request.Plan.empty()) {
      sqlite::Statement kept(connection, "SELECT kept FROM kept_plan WHERE plan = ?1");
      kept.Bind(1, request.Plan);
      if (kept.Step()) {
        return InventoryError{
            InventoryFault::AlreadyKept,
            Cp932("この計画の残材は ") + ShownText(kept.Text(0)) + Cp932(" に在庫へ記録済みです。")};
      }
    }
    std::map<int64_t, Tally> tallies;

    sqlite::Statement select(connection, "SELECT " + EntryColumns() + " FROM offcut WHERE id = ?1");
    for (const auto& [id, bars] : used) {
      select.Bind(1, id);
      if (!select.Step()) return MakeInventoryError(InventoryFault::Changed);
      const OffcutEntry entry = ReadEntry(select);
      select.Reset();
      if (entry.Count < bars) return MakeInventoryError(InventoryFault::Changed);
      tallies[id] = Tally{entry, entry.Count, entry.Count};
    }

    // Added before the used bars are taken away, so an entry that is both
    // used and joined keeps one id.
    sqlite::Statement upsert(
        connection,
        "INSERT INTO offcut (section, length, count, source, registered, grade, heat, mill_sheet)"
        " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"
        " ON CONFLICT (section, length, source, registered, grade, heat, mill_sheet)"
        " DO UPDATE SET count = count + excluded.count"
        " RETURNING id, count");
    const std::string source = StoredText(request.Source);
    for (const auto& [kind, bars] : added) {
      const auto& [length, trace] = kind;
      upsert.Bind(1, *section).Bind(2, length).Bind(3, bars).Bind(4, source).Bind(5, request.Date);
      upsert.Bind(6, StoredText(trace.Grade))
          .Bind(7, StoredText(trace.Heat))
          .Bind(8, StoredText(trace.MillSheet));
      upsert.Step();
      const int64_t id = upsert.Integer(0);
      const int64_t count = upsert.Integer(1);
      upsert.Reset();
      const auto [tally, created] = tallies.try_emplace(id);
      if (created) {
        tally->second.Entry =
            OffcutEntry{id, ShownText(*section), length, 0, ShownText(source), request.Date, trace};
        tally->second.Before = count - bars;
      }
      tally->second.After = count;
    }

    sqlite::Statement update(connection, "UPDATE offcut SET count = ?2 WHERE id = ?1");
    sqlite::Statement erase(connection, "DELETE FROM offcut WHERE id = ?1");
    for (const auto& [id, bars] : used) {
      Tally& tally = tallies[id];
      tally.After -= bars;
      sqlite::Statement& statement = tally.After == 0 ? erase : update;
      statement.Bind(1, id);
      if (tally.After != 0) statement.Bind(2, tally.After);
      statement.Step();
      statement.Reset();
    }
    if (!request.Plan.empty()) {
      sqlite::Statement remember(
          connection, "INSERT INTO kept_plan (plan, kept, section, source) VALUES (?1, ?2, ?3, ?4)");
      remember.Bind(1, request.Plan)
          .Bind(2, request.Date)
          .Bind(3, StoredText(request.Section))
          .Bind(4, source);
      remember.Step();
      if (!request.Job.empty()) {
        sqlite::Statement settle(connection, "UPDATE taken SET plan = ?1 WHERE job = ?2 AND plan IS NULL");
        settle.Bind(1, request.Plan).Bind(2, request.Job);
        settle.Step();
      }
    }
    if (commit) transaction.Commit();  // else rolled back as it goes out of scope

    for (auto& [id, tally] : tallies) {
      tally.Entry.Count = static_cast<int32_t>(tally.After);
      changes.Changes.push_back(OffcutChange{tally.Entry, static_cast<int32_t>(tally.Before)});
    }
    std::sort(changes.Changes.begin(), changes.Changes.end(),
              [](const OffcutChange& a, const OffcutChange& b) {
                return std::tie(a.Entry.Section, a.Entry.Length, a.Entry.Date, a.Entry.Source, a.Entry.Id) <
                       std::tie(b.Entry.Section, b.Entry.Length, b.Entry.Date, b.Entry.Source, b.Entry.Id);
              });
    return changes;
  });
}

}  // namespace yobina
