// The input page's elements and what each one is: its key (the data file's key
// and the name the window's object carries), its number format and typing
// limit, the trial-count group's items and default choice, the grids' headings
// and rows. The window, the in-memory page and the data file all read this
// table. Captions are UTF-8 source text; the core converts them to code page 932.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "text/number_text.h"

namespace yobina {

enum class FieldId { Year, Month, Day, ProjectName, MemberName, UnitWeight, Margin, Kerf };
enum class GridId { Stock, Cut };

struct FieldElement {
  std::string_view Key;
  NumberFormat Format;  // kPlainText: the text is kept as typed
  int ByteLimit;        // code page 932 bytes the user may type
};

inline constexpr std::array<FieldElement, 8> kFieldElements{{
    {"edYY", {5, 0}, 5},
    {"edMM", {3, 0}, 2},
    {"edDD", {3, 0}, 2},
    {"edKname", kPlainText, 32},
    {"edBname", kPlainText, 32},
    {"edWunit", {8, 2}, 8},
    {"edyoyu", {3, 0}, 3},
    {"edsiro", {3, 0}, 3},
}};

struct GridColumnElement {
  std::string_view HeadingUtf8;  // row 0
  NumberFormat Format;           // a left cell is rewritten in it, zero as blank
};

inline constexpr int kGridDataRows = 35;  // rows 1..35; row 0 holds the headings
inline constexpr int kLengthColumn = 1;
inline constexpr int kCountColumn = 2;
// Column 0 holds the row numbers; data columns are 1 and 2.
inline constexpr std::array<GridColumnElement, 2> kGridColumnElements{{
    {"長さmm", {6, 0}},
    {" 本数", {5, 0}},
}};
inline constexpr std::array<std::string_view, 2> kGridKeys{"Grid1", "Grid2"};

struct ChoiceElement {
  std::string_view Key;
  std::string_view TitleUtf8;
  std::array<std::string_view, 3> ItemsUtf8;
  int DefaultIndex;
};

inline constexpr ChoiceElement kTrialCountElement{"rgTryCnt", "試行回数", {"10回", "100回", "500回"}, 1};

struct TabElement {
  std::string_view Key;
  std::string_view CaptionUtf8;
};

inline constexpr TabElement kInputTab{"TabSheet1", "　ヨビナ条件　"};
inline constexpr TabElement kResultsTab{"TabSheet2", "【結果】"};

constexpr const FieldElement& ElementOf(FieldId id) {
  return kFieldElements[static_cast<std::size_t>(id)];
}

constexpr std::string_view KeyOf(GridId id) {
  return kGridKeys[static_cast<std::size_t>(id)];
}

inline constexpr std::array<FieldId, kFieldElements.size()> kAllFields{
    FieldId::Year,       FieldId::Month,      FieldId::Day,    FieldId::ProjectName,
    FieldId::MemberName, FieldId::UnitWeight, FieldId::Margin, FieldId::Kerf,
};
inline constexpr std::array<GridId, kGridKeys.size()> kAllGrids{GridId::Stock, GridId::Cut};

}  // namespace yobina
