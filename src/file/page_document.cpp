#include "file/page_document.h"

#include <algorithm>

namespace yobina {

JobDocument ReadDocument(const InputPage& page) {
  JobDocument document;
  for (FieldId field : kAllFields) FieldOf(document, field) = page.FieldText(field);
  document.TrialIndex = page.TrialIndex();
  for (GridId grid : kAllGrids) {
    std::vector<JobRow>& rows = RowsOf(document, grid);
    const auto pageRows = static_cast<std::size_t>(std::max(page.RowCount(grid) - 1, 0));
    for (std::size_t r = 0; r < std::min(rows.size(), pageRows); ++r) {
      const int row = static_cast<int>(r) + 1;
      rows[r] = {page.CellText(grid, kLengthColumn, row), page.CellText(grid, kCountColumn, row)};
    }
  }
  return document;
}

void WriteDocument(const JobDocument& document, InputPage& page) {
  for (FieldId field : kAllFields) {
    if (page.FieldText(field) != FieldOf(document, field)) page.SetFieldText(field, FieldOf(document, field));
  }
  if (page.TrialIndex() != document.TrialIndex) page.SetTrialIndex(document.TrialIndex);
  const auto setCell = [&page](GridId grid, int column, int row, const std::string& text) {
    if (page.CellText(grid, column, row) != text) page.SetCellText(grid, column, row, text);
  };
  for (GridId grid : kAllGrids) {
    const std::vector<JobRow>& rows = RowsOf(document, grid);
    const auto pageRows = static_cast<std::size_t>(std::max(page.RowCount(grid) - 1, 0));
    for (std::size_t r = 0; r < std::min(rows.size(), pageRows); ++r) {
      const int row = static_cast<int>(r) + 1;
      setCell(grid, kLengthColumn, row, rows[r].Length);
      setCell(grid, kCountColumn, row, rows[r].Count);
    }
  }
}

}  // namespace yobina
