// Finding the columns of a CSV input by the names in its header row, in
// Japanese or English, whatever the letter case and surrounding blanks.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "project/csv_table.h"
#include "project/line_issue.h"

namespace yobina {

struct KnownColumn {
  std::array<std::string_view, 4> Names;  // UTF-8, lower case; empty entries unused; [0] names it in messages
  bool Required = false;
};

// The header row's cell index of each known column, -1 for a column the header
// lacks. A header cell that names no known column, or a second column of one, or
// a missing required column is reported (not skippable).
std::vector<int32_t> FindColumns(const CsvRow& header, std::span<const KnownColumn> knownColumns,
                                 InputFile file, std::vector<LineIssue>& issues);

// The cell of `column` in `row` (empty when the row is shorter or column is -1).
std::string_view CellOf(const CsvRow& row, int32_t column);

}  // namespace yobina
