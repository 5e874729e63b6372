#include "project/catalogue.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "project/cell_number.h"
#include "project/csv_table.h"
#include "project/header_columns.h"
#include "project/parts_list.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

enum Column { kSection, kLength, kPerBar, kPerTonne, kKerf, kMargin };

constexpr std::array<KnownColumn, 6> kColumns{{
    {{"部材名", "断面", "section"}, true},
    {{"長さ", "length", "長さ(mm)", "length(mm)"}, true},
    {{"円/本", "yen/bar"}, false},
    {{"円/t", "円/トン", "yen/t"}, false},
    {{"切り代", "kerf"}, false},
    {{"余裕", "margin"}, false},
}};

std::optional<int32_t> OptionalMm(std::string_view cell, std::string_view whatUtf8, std::string& reasons) {
  if (cell.find_first_not_of(" \t") == std::string_view::npos) return std::nullopt;
  return WholeCell(cell, whatUtf8, 0, kMostKerfOrMargin, reasons);
}

// A section's kerf (or margin) must be one value over its lines.
void CheckSame(const std::optional<int32_t>& value, const std::optional<std::pair<int32_t, int32_t>>& first,
               std::string_view whatUtf8, std::string& reasons) {
  if (value && first && first->first != *value) {
    reasons += Utf8ToCp932(whatUtf8).value_or("?") + Cp932("が同じ部材名の") + IntText(first->second, 0) +
               Cp932("行目と違います。");
  }
}

void Remember(const std::optional<int32_t>& value, std::optional<std::pair<int32_t, int32_t>>& first,
              int32_t line) {
  if (value && !first) first = std::make_pair(*value, line);
}

struct SectionSettings {
  std::optional<std::pair<int32_t, int32_t>> Kerf;    // value, line
  std::optional<std::pair<int32_t, int32_t>> Margin;  // value, line
};

}  // namespace

CatalogueRead ReadCatalogue(std::string_view bytes) {
  constexpr InputFile file = InputFile::Catalogue;
  CatalogueRead read;
  CsvTable table = ReadCsvTable(bytes, file);
  read.Issues = std::move(table.Issues);
  if (AnyUnskippable(read.Issues)) return read;
  if (table.Rows.empty()) {
    read.Issues.push_back({file, 0, Cp932("定尺の行がありません。"), false});
    return read;
  }
  const std::vector<int32_t> columns = FindColumns(table.Rows.front(), kColumns, file, read.Issues);
  if (AnyUnskippable(read.Issues)) return read;

  const size_t width = table.Rows.front().Cells.size();
  std::map<std::pair<std::string, int32_t>, int32_t> seen;  // section and length: line
  std::map<std::string, SectionSettings> settings;
  for (size_t r = 1; r < table.Rows.size(); ++r) {
    const CsvRow& row = table.Rows[r];
    std::string reasons;
    CatalogueLine line;
    line.Line = row.Line;
    line.Section = std::string(CellOf(row, columns[kSection]));
    if (line.Section.empty()) reasons += Cp932("部材名がありません。");
    const std::optional<int32_t> length =
        WholeCell(CellOf(row, columns[kLength]), "長さ", 1, kMostLength, reasons);
    const std::optional<double> perBar =
        OptionalAmountCell(CellOf(row, columns[kPerBar]), "円/本", true, reasons);
    const std::optional<double> perTonne =
        OptionalAmountCell(CellOf(row, columns[kPerTonne]), "円/t", true, reasons);
    if (perBar && perTonne)
      reasons += Cp932("円/本と円/tの両方が書かれています。どちらか一方にしてください。");
    line.Kerf = OptionalMm(CellOf(row, columns[kKerf]), "切り代", reasons);
    line.Margin = OptionalMm(CellOf(row, columns[kMargin]), "余裕", reasons);
    for (size_t c = width; c < row.Cells.size(); ++c) {
      if (!row.Cells[c].empty()) {
        reasons += Cp932("見出しのない列に値があります。");
        break;
      }
    }
    const auto key = std::make_pair(line.Section, length.value_or(0));
    if (const auto at = seen.find(key); at != seen.end())
      reasons += Cp932("同じ部材名と長さの行が") + IntText(at->second, 0) + Cp932("行目にもあります。");
    SectionSettings& section = settings[line.Section];
    CheckSame(line.Kerf, section.Kerf, "切り代", reasons);
    CheckSame(line.Margin, section.Margin, "余裕", reasons);
    if (!reasons.empty()) {
      read.Issues.push_back({file, row.Line, reasons, true});
      continue;
    }
    seen.emplace(key, row.Line);
    Remember(line.Kerf, section.Kerf, row.Line);
    Remember(line.Margin, section.Margin, row.Line);
    line.Length = *length;
    if (perBar) line.Kind = PriceKind::PerBar, line.Price = *perBar;
    if (perTonne) line.Kind = PriceKind::PerTonne, line.Price = *perTonne;
    read.Lines.push_back(std::move(line));
  }
  return read;
}

std::vector<CatalogueLine> DefaultCatalogue() {
  std::vector<CatalogueLine> lines;
  for (int32_t length = 6000; length <= 12000; length += 500) {
    CatalogueLine line;
    line.Section = std::string(kEverySection);
    line.Length = length;
    lines.push_back(line);
  }
  return lines;
}

}  // namespace yobina
