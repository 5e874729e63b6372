// The elements of the input page that the job file holds, in file order (the
// window's focus order, page by page). The order is the format; the keys and
// captions are the page's own.
#pragma once

#include <array>
#include <string_view>

#include "job/page_elements.h"

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
  std::string_view CaptionUtf8 = {};  // pages only
  FieldId Field = FieldId::Year;      // text fields only
  GridId Grid = GridId::Stock;        // tables only
};

constexpr PersistEntry PagePersist(const TabElement& tab) {
  return {tab.Key, PersistKind::Page, tab.CaptionUtf8};
}
constexpr PersistEntry FieldPersist(FieldId field) {
  return {ElementOf(field).Key, PersistKind::TextField, {}, field};
}
constexpr PersistEntry TablePersist(GridId grid) {
  return {KeyOf(grid), PersistKind::Table, {}, FieldId::Year, grid};
}

inline constexpr std::array<PersistEntry, 13> kPersistList{{
    PagePersist(kInputTab),
    FieldPersist(FieldId::Year),
    FieldPersist(FieldId::Month),
    FieldPersist(FieldId::Day),
    FieldPersist(FieldId::ProjectName),
    FieldPersist(FieldId::MemberName),
    FieldPersist(FieldId::UnitWeight),
    FieldPersist(FieldId::Margin),
    FieldPersist(FieldId::Kerf),
    {kTrialCountElement.Key, PersistKind::ChoiceGroup},
    TablePersist(GridId::Stock),
    TablePersist(GridId::Cut),
    PagePersist(kResultsTab),
}};

// The first entry whose key equals `key` exactly (case-sensitive), or nullptr.
constexpr const PersistEntry* FindPersistEntry(std::string_view key) {
  for (const PersistEntry& entry : kPersistList) {
    if (entry.Key == key) return &entry;
  }
  return nullptr;
}

}  // namespace yobina
