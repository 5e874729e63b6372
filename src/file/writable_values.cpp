#include "file/writable_values.h"

#include <algorithm>
#include <string>

#include "file/data_file_parser.h"
#include "file/element_names.h"
#include "text/codec.h"
#include "text/io_error.h"

namespace yobina {
namespace {

// How a message names a character that cannot be written.
std::string_view CharacterName(char c) {
  switch (c) {
    case ',':
      return "「,」";
    case '\t':
      return "タブ";
    default:
      return "改行";
  }
}

[[noreturn]] void Refuse(std::string_view whereCp932, std::string_view whyUtf8) {
  throw IoError(Cp932ToUtf8(whereCp932) + std::string(whyUtf8) + "ファイルに書けません。");
}

std::string RowName(GridId grid, int row) {
  return Cp932(ListName(grid)) + " " + std::to_string(row) + Cp932("行目");
}

}  // namespace

char RowBreakingCharacter(std::string_view cell) {
  const std::size_t at = cell.find_first_of(",\t\r\n");
  return at == std::string_view::npos ? '\0' : cell[at];
}

void CheckWritable(const InputPage& page) {
  for (FieldId field : kAllFields) {
    const std::string text = page.FieldText(field);
    if (text.find_first_of("\r\n") != std::string::npos)
      Refuse(Cp932(FieldName(field)), "は改行を含むため、");
    if (text.size() > DataFileParser::kMaxValueBytes)
      Refuse(Cp932(FieldName(field)), "が長すぎる（999 バイトを超える）ため、");
  }
  for (GridId grid : kAllGrids) {
    for (int row = 1; row < page.RowCount(grid); ++row) {
      std::size_t bytes = std::max<std::size_t>(std::to_string(row).size(), 3);  // the row number, as "%3d"
      for (int column = 1; column < page.ColumnCount(grid); ++column) {
        const std::string cell = page.CellText(grid, column, row);
        if (const char c = RowBreakingCharacter(cell)) {
          const std::string where = RowName(grid, row) + ": " + Cp932(ColumnName(column)) + QuotedValue(cell);
          Refuse(where, "は" + std::string(CharacterName(c)) + "を含むため、");
        }
        bytes += 1 + cell.size();
      }
      if (bytes > DataFileParser::kMaxValueBytes)
        Refuse(RowName(grid, row), "が長すぎる（999 バイトを超える）ため、");
    }
  }
}

}  // namespace yobina
