#include "project/parts_list.h"

#include <algorithm>
#include <array>
#include <span>

#include "project/cell_number.h"
#include "project/csv_table.h"
#include "project/header_columns.h"
#include "project/stock_trace.h"
#include "text/codec.h"

namespace yobina {
namespace {

enum Column { kSection, kLength, kCount, kMark, kUnitWeight, kGrade, kHeat, kMillSheet };

// The parts list's columns; the stock list's add the steel of its bars.
constexpr std::array<KnownColumn, 8> kColumns{{
    {{"部材名", "断面", "section"}, true},
    {{"長さ", "length", "長さ(mm)", "length(mm)"}, true},
    {{"本数", "数量", "count"}, true},
    {{"符号", "mark"}, false},
    {{"単位重量", "kg/m", "単位重量(kg/m)"}, false},
    kGradeColumn,
    kHeatColumn,
    kMillSheetColumn,
}};
constexpr std::size_t kPartsColumns = 5;

}  // namespace

PartsListRead ReadPartsList(std::string_view bytes, InputFile file) {
  PartsListRead read;
  CsvTable table = ReadCsvTable(bytes, file);
  read.Issues = std::move(table.Issues);
  if (AnyUnskippable(read.Issues)) return read;
  if (table.Rows.empty()) {
    read.Issues.push_back({file, 0, Cp932("部材の行がありません。"), false});
    return read;
  }
  const std::span<const KnownColumn> known =
      file == InputFile::Stock ? std::span(kColumns) : std::span(kColumns).first(kPartsColumns);
  std::vector<int32_t> columns = FindColumns(table.Rows.front(), known, file, read.Issues);
  columns.resize(kColumns.size(), -1);
  if (AnyUnskippable(read.Issues)) return read;

  const size_t width = table.Rows.front().Cells.size();
  for (size_t r = 1; r < table.Rows.size(); ++r) {
    const CsvRow& row = table.Rows[r];
    std::string reasons;
    PartLine part;
    part.Line = row.Line;
    part.Section = std::string(CellOf(row, columns[kSection]));
    if (part.Section.empty()) reasons += Cp932("部材名がありません。");
    const std::optional<int32_t> length =
        WholeCell(CellOf(row, columns[kLength]), "長さ", 1, kMostLength, reasons);
    const std::optional<int32_t> count =
        WholeCell(CellOf(row, columns[kCount]), "本数", 1, kMostCount, reasons);
    part.Mark = std::string(CellOf(row, columns[kMark]));
    part.UnitWeight = OptionalAmountCell(CellOf(row, columns[kUnitWeight]), "単位重量", false, reasons);
    part.Trace = SteelCells(row, columns[kGrade], columns[kHeat], columns[kMillSheet], reasons);
    for (size_t c = width; c < row.Cells.size(); ++c) {
      if (!row.Cells[c].empty()) {
        reasons += Cp932("見出しのない列に値があります。");
        break;
      }
    }
    if (!reasons.empty()) {
      read.Issues.push_back({file, row.Line, reasons, true});
      continue;
    }
    part.Length = *length;
    part.Count = *count;
    read.Parts.push_back(std::move(part));
  }
  std::stable_sort(read.Issues.begin(), read.Issues.end(),
                   [](const LineIssue& a, const LineIssue& b) { return a.Line < b.Line; });
  return read;
}

}  // namespace yobina
