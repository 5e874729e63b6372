// The parts list of a building (CSV, one line a part, a header row) and the
// stock list of bars on hand, which has the same shape.
//
//   部材名 (断面, section)   the steel section, as the catalogue names it   required
//   長さ (length)            mm, whole                                      required
//   本数 (数量, count)       pieces (bars on hand)                          required
//   符号 (mark)              the part's mark on the drawings                optional
//   単位重量 (kg/m)          kg per metre of the section                    optional
// The stock list may also give the steel of its bars (stock_trace.h):
//   鋼種, 溶鋼番号, ミルシート番号                                          optional
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan/steel_trace.h"
#include "project/line_issue.h"
#include "project/nc/dstv_part.h"

namespace yobina {

// The longest length and the most pieces a line may give: what a job file's grid holds.
inline constexpr int32_t kMostLength = 999999;
inline constexpr int32_t kMostCount = 99999;

// Where a part came from beyond its mark, kept to project.json (code page 932).
struct PartOrigin {
  std::string File;  // the NC file's name; empty for a line of a parts list
  std::string Order;
  std::string Drawing;
  std::string Phase;
  std::optional<DstvDetail> Nc;  // the rest of the NC file's header
};

struct PartLine {
  int32_t Line = 0;                  // for an NC file, its number in the folder's order
  std::string Section;               // code page 932, as written
  int32_t Length = 0;                // mm, > 0
  int32_t Count = 0;                 // > 0
  std::string Mark;                  // code page 932; may be empty
  std::optional<double> UnitWeight;  // kg/m
  PartOrigin Origin;
  SteelTrace Trace = {};  // a stock list's bars' steel; none for parts
};

struct PartsListRead {
  std::vector<PartLine> Parts;     // the good lines, in file order
  std::vector<LineIssue> Issues;   // the bad lines (not in Parts) and faults of the file as a whole
  std::vector<std::string> Notes;  // what was left out without a fault (code page 932)
};

// `file` is Parts or Stock; it only names the file in the issues.
PartsListRead ReadPartsList(std::string_view bytes, InputFile file);

}  // namespace yobina
