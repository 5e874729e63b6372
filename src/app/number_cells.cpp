#include "app/number_cells.h"

#include "file/element_names.h"
#include "file/page_document.h"
#include "text/codec.h"
#include "text/typed_number.h"

namespace yobina {

std::optional<UnreadableCell> FirstUnreadableCell(const JobDocument& document) {
  for (GridId grid : kAllGrids) {
    const std::vector<JobRow>& rows = RowsOf(document, grid);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (const int column : {kLengthColumn, kCountColumn}) {
        const std::string& text = column == kLengthColumn ? rows[r].Length : rows[r].Count;
        if (CleanTypedNumber(text)) continue;
        const int row = static_cast<int>(r) + 1;
        std::string message = Cp932(ListName(grid)) + " " + std::to_string(row) + Cp932("行目: ") +
                              Cp932(ColumnName(column)) + QuotedValue(text) + Cp932("が数字ではありません");
        return UnreadableCell{grid, row, column, text, std::move(message)};
      }
    }
  }
  return std::nullopt;
}

std::optional<UnreadableCell> FirstUnreadableCell(const InputPage& page) {
  return FirstUnreadableCell(ReadDocument(page));
}

}  // namespace yobina
