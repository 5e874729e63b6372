#include "project/stock_trace.h"

#include <algorithm>
#include <array>
#include <optional>

#include "project/cell_number.h"
#include "project/csv_table.h"
#include "project/line_issue.h"
#include "text/codec.h"
#include "text/number_text.h"

namespace yobina {
namespace {

enum Column { kRow, kLength, kGrade, kHeat, kMillSheet };

constexpr std::array<KnownColumn, 5> kColumns{{
    {{"行", "row", "行番号"}, true},
    {{"長さ", "length", "長さ(mm)", "length(mm)"}, false},
    kGradeColumn,
    kHeatColumn,
    kMillSheetColumn,
}};

std::string SteelCell(std::string_view cell, const KnownColumn& column, std::string& reasons) {
  const bool control = std::any_of(cell.begin(), cell.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
  if (!control) return std::string(cell);
  reasons += Utf8ToCp932(column.Names[0]).value_or("?") + Cp932("に改行などの制御文字があります。");
  return {};
}

std::string LineText(int32_t line, const std::string& reason) {
  if (line <= 0) return reason;
  return std::to_string(line) + Cp932("行目: ") + reason;
}

}  // namespace

SteelTrace SteelCells(const CsvRow& row, int32_t grade, int32_t heat, int32_t millSheet,
                      std::string& reasons) {
  return {SteelCell(CellOf(row, grade), kGradeColumn, reasons),
          SteelCell(CellOf(row, heat), kHeatColumn, reasons),
          SteelCell(CellOf(row, millSheet), kMillSheetColumn, reasons)};
}

StockTraceRead ReadStockTrace(std::string_view bytes, const JobDocument& document) {
  StockTraceRead read;
  std::vector<LineIssue> issues;
  const auto refuse = [&]() -> StockTraceRead {
    std::stable_sort(issues.begin(), issues.end(),
                     [](const LineIssue& a, const LineIssue& b) { return a.Line < b.Line; });
    for (const LineIssue& issue : issues) read.Problems.push_back(LineText(issue.Line, issue.Reason));
    read.Rows.clear();
    return read;
  };

  CsvTable table = ReadCsvTable(bytes, InputFile::Stock);
  issues = std::move(table.Issues);
  if (AnyUnskippable(issues)) return refuse();
  if (table.Rows.empty()) {
    issues.push_back({InputFile::Stock, 0, Cp932("行の指定がありません。"), false});
    return refuse();
  }
  const std::vector<int32_t> columns = FindColumns(table.Rows.front(), kColumns, InputFile::Stock, issues);
  if (AnyUnskippable(issues)) return refuse();

  const auto rows = static_cast<int32_t>(document.StockRows.size());
  read.Rows.resize(document.StockRows.size());
  std::vector<int32_t> namedOn(document.StockRows.size(), 0);  // the file's line naming each row
  const std::size_t width = table.Rows.front().Cells.size();
  for (std::size_t r = 1; r < table.Rows.size(); ++r) {
    const CsvRow& line = table.Rows[r];
    std::string reasons;
    const std::optional<int32_t> row = WholeCell(CellOf(line, columns[kRow]), "行", 1, rows, reasons);
    const std::string_view lengthCell = CellOf(line, columns[kLength]);
    // 0: not given (or not a length, said in the reasons)
    const int32_t length =
        lengthCell.empty() ? 0 : WholeCell(lengthCell, "長さ", 1, 999999, reasons).value_or(0);
    const SteelTrace trace = SteelCells(line, columns[kGrade], columns[kHeat], columns[kMillSheet], reasons);
    for (std::size_t c = width; c < line.Cells.size(); ++c) {
      if (!line.Cells[c].empty()) {
        reasons += Cp932("見出しのない列に値があります。");
        break;
      }
    }
    if (row) {
      const auto index = static_cast<std::size_t>(*row - 1);
      const int32_t rowLength = TextToInt(document.StockRows[index].Length);
      if (rowLength == 0) {
        reasons += Cp932("素材リストの ") + std::to_string(*row) + Cp932(" 行目は空です。");
      } else if (length != 0 && length != rowLength) {
        reasons += Cp932("長さ ") + std::to_string(length) + Cp932(" が素材リストの ") +
                   std::to_string(*row) + Cp932(" 行目の長さ ") + std::to_string(rowLength) +
                   Cp932(" と違います。");
      }
      if (namedOn[index] > 0) {
        reasons += Cp932("行 ") + std::to_string(*row) + Cp932(" は ") + std::to_string(namedOn[index]) +
                   Cp932("行目にもあります。");
      }
      namedOn[index] = line.Line;
      if (reasons.empty()) read.Rows[index] = trace;
    }
    if (!reasons.empty()) issues.push_back({InputFile::Stock, line.Line, reasons, true});
  }
  if (!issues.empty()) return refuse();
  return read;
}

}  // namespace yobina
