// The texts the window and the batch program show about the offcut
// inventory: what a change does, and the inventory as a CSV table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "inventory/offcut.h"

namespace yobina {

// One line per entry a change touches (code page 932), e.g.
// "H-200  3000mm  2本 → 5本  (出所 2026-12-08)"; "追加" / "削除" for an entry
// made or emptied by the change; "  溶鋼番号 …" after it where the entry has one.
std::vector<std::string> ChangeLines(const InventoryChanges& changes);

// "残材を在庫へ: 追加 n 本、在庫から使用 m 本" (code page 932).
std::string ChangeSummary(const InventoryChanges& changes);

// "在庫から n 行を素材に加えました" and, when some did not fit, how many rows and
// bars were left out (code page 932).
std::string TakeSummary(const TakenOffcuts& taken);

// The inventory as UTF-8 CSV with CR LF lines: the heading
// "部材名,長さ,本数,出所,登録日", then one line per section and length (in the
// order of the entries), with the bars added up, the sources joined by " / "
// and the oldest date. Cells holding a comma, quote or line break are quoted.
// Once some entry has its steel, the heading goes on with ",鋼種,溶鋼番号,ミルシート番号"
// and a line is one section, length and steel.
std::string OffcutListCsv(const std::vector<OffcutEntry>& entries);

}  // namespace yobina
