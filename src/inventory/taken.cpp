// The rows taken into a job, recorded by the job's digest.
#include <sqlite3.h>

#include "inventory/inventory.h"
#include "inventory/offcut_table.h"
#include "inventory/sqlite_statement.h"
#include "inventory/stored_text.h"
#include "text/codec.h"

namespace yobina {

InventoryResult<InventoryDone> Inventory::RecordTaken(std::string_view job,
                                                      const std::vector<PlacedOffcutRow>& rows,
                                                      std::string_view date) {
  return Guarded(file_, [&]() -> InventoryResult<InventoryDone> {
    CheckWritable();
    if (!IsDate(date)) {
      return InventoryError{InventoryFault::BadRequest,
                            Cp932("取り込みの日付は YYYY-MM-DD の形で指定してください。")};
    }
    sqlite3* connection = connection_.get();
    sqlite::Transaction transaction(connection, sqlite::Transaction::Write);
    sqlite::Statement settled(connection, "SELECT taken FROM taken WHERE job = ?1 AND plan IS NOT NULL");
    settled.Bind(1, job);
    if (settled.Step()) {
      return InventoryError{InventoryFault::AlreadyTaken,
                            Cp932("このデータには ") + ShownText(settled.Text(0)) +
                                Cp932(" に在庫の残材を取り込み、記録済みです。")};
    }
    sqlite::Statement forget(connection, "DELETE FROM taken WHERE job = ?1");
    forget.Bind(1, job);
    forget.Step();
    sqlite::Statement insert(connection,
                             "INSERT INTO taken (job, taken, row, length, count, entry, bars)"
                             " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    for (const PlacedOffcutRow& row : rows) {
      for (const EntryUse& entry : row.Taken.Entries) {
        insert.Bind(1, job).Bind(2, date).Bind(3, row.Row).Bind(4, row.Taken.Length).Bind(5, row.Taken.Count);
        insert.Bind(6, entry.Id).Bind(7, entry.Count);
        insert.Step();
        insert.Reset();
      }
    }
    transaction.Commit();
    return InventoryDone{};
  });
}

InventoryResult<std::optional<TakenRecord>> Inventory::TakenInto(std::string_view job) {
  return Guarded(file_, [&]() -> InventoryResult<std::optional<TakenRecord>> {
    if (layout_ < 2) return std::optional<TakenRecord>();  // an older file, opened read-only: none recorded
    // The entries' steel from the entries themselves, while they are there (ids are never reused).
    const char* steel = layout_ >= 3 ? "offcut.grade, offcut.heat, offcut.mill_sheet" : "NULL, NULL, NULL";
    sqlite::Statement select(
        connection_.get(), std::string("SELECT taken.taken, taken.plan IS NOT NULL, taken.row, taken.length,"
                                       " taken.count, taken.entry, taken.bars, ") +
                               steel +
                               " FROM taken LEFT JOIN offcut ON offcut.id = taken.entry"
                               " WHERE taken.job = ?1 ORDER BY taken.id");
    select.Bind(1, job);
    std::optional<TakenRecord> record;
    while (select.Step()) {
      if (!record) record = TakenRecord{ShownText(select.Text(0)), select.Integer(1) != 0, {}};
      const auto row = static_cast<int32_t>(select.Integer(2));
      std::vector<PlacedOffcutRow>& rows = record->Rows;
      if (rows.empty() || rows.back().Row != row) {
        rows.push_back(
            {row,
             TakenRow{static_cast<int32_t>(select.Integer(3)), static_cast<int32_t>(select.Integer(4)), {}}});
      }
      rows.back().Taken.Entries.push_back(
          {select.Integer(5), static_cast<int32_t>(select.Integer(6)),
           SteelTrace{ShownText(select.Text(7)), ShownText(select.Text(8)), ShownText(select.Text(9))}});
    }
    return record;
  });
}

}  // namespace yobina
