// A CSV input of the project (parts list, catalogue, stock list) as rows of
// cells. The encoding is found from the bytes: UTF-8 with or without a
// byte-order mark, or code page 932; a line in the other encoding (or in
// neither) is reported and left out. The cells come out in code page 932.
// Parsed by libcsv: commas, double-quoted cells, blanks around unquoted cells
// dropped, CR LF, LF or CR line ends. A row with a line break inside a quoted
// cell is a bad line: no name or number of these files holds one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/line_issue.h"
#include "project/text_lines.h"

namespace yobina {

struct CsvRow {
  int32_t Line = 0;  // the line the row starts on, 1-based
  std::vector<std::string> Cells;
};

struct CsvTable {
  TextEncoding Encoding = TextEncoding::Utf8;
  std::vector<CsvRow> Rows;       // rows with some cell not empty, in file order
  std::vector<LineIssue> Issues;  // lines that could not be read; they are not in Rows
};

CsvTable ReadCsvTable(std::string_view bytes, InputFile file);

}  // namespace yobina
