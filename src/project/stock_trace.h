// The steel of bars on hand: the optional columns 鋼種, 溶鋼番号 and
// ミルシート番号 of a building's stock list, and a job's stock trace file,
// which gives them for the rows of the job's stock list:
//
//   行 (row)                   the stock list's row, 1-based, as the window numbers it   required
//   長さ (length)              mm; when given, must be that row's length               optional
//   鋼種 (grade)               the grade of the row's bars                             optional
//   溶鋼番号 (heat)            their heat number                                       optional
//   ミルシート番号 (mill sheet) their mill certificate                                  optional
//
// Read like the parts list: encoding from the bytes, named bad lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "job/job_document.h"
#include "plan/steel_trace.h"
#include "project/header_columns.h"

namespace yobina {

inline constexpr KnownColumn kGradeColumn{{"鋼種", "grade", "材質"}, false};
inline constexpr KnownColumn kHeatColumn{{"溶鋼番号", "heat", "ヒート番号", "heat no"}, false};
inline constexpr KnownColumn kMillSheetColumn{{"ミルシート番号", "mill sheet", "ミルシート", "mill sheet no"},
                                              false};

// The three cells of a line (columns from FindColumns, -1 when missing); a
// cell holding a control character (a line break in quotes) adds a reason.
SteelTrace SteelCells(const CsvRow& row, int32_t grade, int32_t heat, int32_t millSheet,
                      std::string& reasons);

struct StockTraceRead {
  std::vector<SteelTrace> Rows;       // by row of the document's stock list; empty when refused
  std::vector<std::string> Problems;  // code page 932, one line each ("3行目: ..."); any refuses the file
};

// The file against the job's stock list as it is given (before tidying): a
// row out of the list, a row without a length, a length that is not the
// row's, a row named twice or any bad line refuses the whole file, since a
// heat number on the wrong bars is worse than none.
StockTraceRead ReadStockTrace(std::string_view bytes, const JobDocument& document);

}  // namespace yobina
