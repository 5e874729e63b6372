#include <sqlite3.h>

#include <algorithm>
#include <limits>

#include "inventory/inventory.h"
#include "inventory/offcut_table.h"
#include "inventory/sqlite_statement.h"
#include "inventory/stored_text.h"

namespace yobina {

InventoryResult<TakenOffcuts> Inventory::Take(std::string_view section, int32_t freeRows) {
  return Guarded(file_, [&]() -> InventoryResult<TakenOffcuts> {
    TakenOffcuts taken;
    if (layout_ == 0) return taken;  // an empty file, opened read-only
    const std::optional<std::string> stored = StoredSection(section);
    if (!stored) return taken;  // no stored name has such bytes

    // Longest first: when not all fit, the longer bars serve more jobs.
    sqlite::Statement select(connection_.get(), "SELECT " + EntryColumns(layout_) +
                                                    " FROM offcut WHERE section = ?1"
                                                    " ORDER BY length DESC, registered, id");
    select.Bind(1, *stored);
    std::vector<TakenRow> rows;
    while (select.Step()) {
      const OffcutEntry stock = ReadEntry(select);
      const EntryUse entry{stock.Id, stock.Count, stock.Trace};
      const int32_t length = stock.Length;
      // A row's count is a 32-bit number like the stock list's; more bars of one length take another row.
      if (rows.empty() || rows.back().Length != length ||
          rows.back().Count > std::numeric_limits<int32_t>::max() - entry.Count) {
        rows.push_back(TakenRow{length, 0, {}});
      }
      rows.back().Count += entry.Count;
      rows.back().Entries.push_back(entry);
    }

    const std::size_t fitting = std::min(rows.size(), static_cast<std::size_t>(std::max(freeRows, 0)));
    for (std::size_t r = fitting; r < rows.size(); ++r) {
      ++taken.RowsLeftOut;
      taken.BarsLeftOut += rows[r].Count;
    }
    rows.resize(fitting);
    std::reverse(rows.begin(), rows.end());
    taken.Rows = std::move(rows);
    return taken;
  });
}

std::vector<EntryUse> EntriesUsed(const TakenRow& row, int32_t barsUsed) {
  std::vector<EntryUse> used;
  for (const EntryUse& entry : row.Entries) {
    if (barsUsed <= 0) break;
    const int32_t bars = std::min(entry.Count, barsUsed);
    used.push_back(EntryUse{entry.Id, bars, entry.Trace});
    barsUsed -= bars;
  }
  return used;
}

}  // namespace yobina
