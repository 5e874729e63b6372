// The box-drawn table of nine cutting patterns: stock length, bars, pieces per
// cut row and leftover, one column per pattern.
#pragma once

#include <cstdint>
#include <string>

#include "job/job.h"
#include "plan/cut_plan.h"
#include "report/line_writer.h"

namespace yobina {

constexpr int32_t kPatternsPerBlock = 9;

// Writes the block of patterns first .. first + 8 (blank columns past the plan's
// patterns), headed by the member-name line, on a new page when it would not
// fit. Rules under the heading and above the leftover row are doubled on paper.
void WritePatternBlock(LineWriter& writer, const TJob& job, const TCutPlan& plan, int32_t first,
                       const std::string& memberNameLine);

}  // namespace yobina
