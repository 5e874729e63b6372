#include "project/list_import.h"

#include <algorithm>
#include <array>
#include <optional>

#include "project/cell_number.h"
#include "project/csv_table.h"
#include "project/header_columns.h"
#include "project/line_issue.h"
#include "project/parts_list.h"
#include "text/codec.h"
#include "text/number_text.h"

namespace yobina {
namespace {

enum Column { kSection, kLength, kCount, kMark, kUnitWeight };

// The parts list's columns; here a list may leave out its section.
constexpr std::array<KnownColumn, 5> kColumns{{
    {{"部材名", "断面", "section"}, false},
    {{"長さ", "length", "長さ(mm)", "length(mm)"}, true},
    {{"本数", "数量", "count"}, true},
    {{"符号", "mark"}, false},
    {{"単位重量", "kg/m", "単位重量(kg/m)"}, false},
}};

bool IsBlankJobText(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

ListCsvRead ReadListCsv(std::string_view bytes, GridId grid) {
  const InputFile file = grid == GridId::Cut ? InputFile::Parts : InputFile::Stock;
  ListCsvRead read;
  std::vector<LineIssue> issues;
  const auto refuse = [&]() -> ListCsvRead {
    for (const LineIssue& issue : issues) read.Problems.push_back(IssueText(issue));
    read.Rows.clear();
    read.Section.clear();
    return read;
  };

  CsvTable table = ReadCsvTable(bytes, file);
  issues = std::move(table.Issues);
  if (AnyUnskippable(issues)) return refuse();
  if (table.Rows.empty()) {
    issues.push_back({file, 0, Cp932("長さと本数の行がありません。"), false});
    return refuse();
  }
  const std::vector<int32_t> columns = FindColumns(table.Rows.front(), kColumns, file, issues);
  if (AnyUnskippable(issues)) return refuse();

  const std::size_t dataRows = table.Rows.size() - 1;
  if (dataRows > static_cast<std::size_t>(kGridDataRows)) {
    issues.push_back({file, 0,
                      Cp932("行が ") + std::to_string(dataRows) + Cp932(" 行あります。") +
                          Utf8ToCp932(grid == GridId::Cut ? "切断リスト" : "素材リスト").value_or("") +
                          Cp932("に読み込めるのは ") + std::to_string(kGridDataRows) + Cp932(" 行までです。"),
                      false});
    return refuse();
  }

  const std::size_t width = table.Rows.front().Cells.size();
  std::vector<std::string> sections;
  for (std::size_t r = 1; r < table.Rows.size(); ++r) {
    const CsvRow& row = table.Rows[r];
    std::string reasons;
    const std::optional<int32_t> length =
        WholeCell(CellOf(row, columns[kLength]), "長さ", 1, kMostLength, reasons);
    const std::optional<int32_t> count =
        WholeCell(CellOf(row, columns[kCount]), "本数", 1, kMostCount, reasons);
    OptionalAmountCell(CellOf(row, columns[kUnitWeight]), "単位重量", false, reasons);
    for (std::size_t c = width; c < row.Cells.size(); ++c) {
      if (!row.Cells[c].empty()) {
        reasons += Cp932("見出しのない列に値があります。");
        break;
      }
    }
    if (!reasons.empty()) {
      issues.push_back({file, row.Line, reasons, true});
      continue;
    }
    const std::string section(CellOf(row, columns[kSection]));
    if (!section.empty() && std::find(sections.begin(), sections.end(), section) == sections.end())
      sections.push_back(section);
    read.Rows.push_back({RealToText(kGridColumnElements[0].Format, *length),
                         RealToText(kGridColumnElements[1].Format, *count)});
  }
  if (sections.size() > 1) {
    std::string names;
    for (std::size_t s = 0; s < sections.size() && s < 3; ++s) names += QuotedCell(sections[s]);
    if (sections.size() > 3) names += Cp932("…");
    issues.push_back({file, 0,
                      Cp932("部材名が ") + std::to_string(sections.size()) + Cp932(" つあります（") + names +
                          Cp932("）。一つの部材の行だけにしてください。"),
                      false});
  }
  std::stable_sort(issues.begin(), issues.end(),
                   [](const LineIssue& a, const LineIssue& b) { return a.Line < b.Line; });
  if (!issues.empty()) return refuse();
  if (!sections.empty()) read.Section = sections.front();
  read.Rows.resize(kGridDataRows);
  return read;
}

void ApplyListCsv(JobDocument& document, GridId grid, const ListCsvRead& read) {
  std::vector<JobRow>& rows = RowsOf(document, grid);
  for (std::size_t r = 0; r < rows.size(); ++r) rows[r] = r < read.Rows.size() ? read.Rows[r] : JobRow{};
  if (!read.Section.empty() && IsBlankJobText(document.MemberName)) document.MemberName = read.Section;
}

}  // namespace yobina
