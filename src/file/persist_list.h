// The elements of the input page that the job file holds, in file order (the
// window's focus order, page by page). The order and the keys are the format.
#pragma once

#include <array>
#include <string_view>

#include "job/input_page.h"

namespace yobina {

enum class PersistKind {
  Page,         // marks a section: a separator line with its caption, then an empty field line
  TextField,    // the field's text
  ChoiceGroup,  // the trial-count group's selected index
  Table,        // one line per data row, then the end marker
};

struct PersistEntry {
  std::string_view Key;
  PersistKind Kind;
  std::string_view CaptionUtf8;  // pages only
};

inline constexpr std::array<PersistEntry, 13> kPersistList{{
    {element::kTabSheet1, PersistKind::Page, "　ヨビナ条件　"},
    {element::kYear, PersistKind::TextField, {}},
    {element::kMonth, PersistKind::TextField, {}},
    {element::kDay, PersistKind::TextField, {}},
    {element::kProjectName, PersistKind::TextField, {}},
    {element::kMemberName, PersistKind::TextField, {}},
    {element::kUnitWeight, PersistKind::TextField, {}},
    {element::kMargin, PersistKind::TextField, {}},
    {element::kKerf, PersistKind::TextField, {}},
    {element::kTrialCount, PersistKind::ChoiceGroup, {}},
    {element::kStockGrid, PersistKind::Table, {}},
    {element::kCutGrid, PersistKind::Table, {}},
    {element::kTabSheet2, PersistKind::Page, "【結果】"},
}};

// The first entry whose key equals `key` exactly (case-sensitive), or nullptr.
constexpr const PersistEntry* FindPersistEntry(std::string_view key) {
  for (const PersistEntry& entry : kPersistList) {
    if (entry.Key == key) return &entry;
  }
  return nullptr;
}

}  // namespace yobina
