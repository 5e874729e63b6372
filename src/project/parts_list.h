// The parts list of a building (CSV, one line a part, a header row) and the
// stock list of bars on hand, which has the same shape.
//
//   部材名 (断面, section)   the steel section, as the catalogue names it   required
//   長さ (length)            mm, whole                                      required
//   本数 (数量, count)       pieces (bars on hand)                          required
//   符号 (mark)              the part's mark on the drawings                optional
//   単位重量 (kg/m)          kg per metre of the section                    optional
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/line_issue.h"

namespace yobina {

// The longest length and the most pieces a line may give: what a job file's grid holds.
inline constexpr int32_t kMostLength = 999999;
inline constexpr int32_t kMostCount = 99999;

struct PartLine {
  int32_t Line = 0;
  std::string Section;               // code page 932, as written
  int32_t Length = 0;                // mm, > 0
  int32_t Count = 0;                 // > 0
  std::string Mark;                  // code page 932; may be empty
  std::optional<double> UnitWeight;  // kg/m
};

struct PartsListRead {
  std::vector<PartLine> Parts;    // the good lines, in file order
  std::vector<LineIssue> Issues;  // the bad lines (not in Parts) and faults of the file as a whole
};

// `file` is Parts or Stock; it only names the file in the issues.
PartsListRead ReadPartsList(std::string_view bytes, InputFile file);

}  // namespace yobina
