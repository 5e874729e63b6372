// The single lines of the report's title block, lists and totals (code page 932).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "job/job_document.h"

namespace yobina {

// A name field's text (工事名, 部材名) cut to the bytes the window's field
// takes, never half a character: a job file may hold far longer names, which
// would push the report's lines past 82 columns and the diagrams' off the page.
std::string NameFieldText(const JobDocument& document, FieldId field);

// Era form for 0 < year < 100, Western form for year > 1000, else no line.
// Both forms end at column 82.
std::optional<std::string> DateLine(int32_t year, int32_t month, int32_t day);

// "部材名：" + the name padded and cut to 40 bytes (also inside a two-byte
// character) + the unit weight when it is above 0.
std::string MemberNameLine(std::string_view memberName, double unitWeight);

// One cell of a four-column list: Spaces(4) + "%8d×%4d本".
std::string ListCell(int32_t length, int32_t count);

std::string MarginKerfLine(int32_t margin, int32_t kerf);

// Lengths in mm, rates in percent.
std::string LengthTotalsLine(double stockLength, double memberLength, double leftoverLength,
                             double leftoverRate);
// Unit weight in kg/m; the loss rate closes the line under the leftover rate.
std::string WeightTotalsLine(double stockLength, double memberLength, double unitWeight, double lossRate);

// What the optimal planner knows of its plan, under the totals. Rates in
// percent; the gap in m between the plan and the least stock the bound allows,
// written in mm when under 1 m.
std::string ProvenOptimalLine(double boundLossRate);
std::string UnprovenLine(double boundLossRate, double gapMeters);
// The plan's saw set-ups (patterns): proven least for its stock, or with a
// lower bound (0: none known).
std::string SetupsLine(int32_t patterns, int32_t lowerBound, bool proven);
// The stock (mm) and loss rate a plan could reach if bars under 5000 mm were
// not used first; "at most" when that figure is not proven.
std::string WithoutShortFirstLine(double stockLength, double lossRate, bool proven);

// With a minimum offcut length (mm) above 0: the plan's offcuts (bars and
// their total length in mm) and its scrap (mm).
std::string OffcutTotalsLine(int32_t offcutMin, int64_t bars, double offcutLength, double scrapLength);
// Whether no plan of the optimal planner's stock leaves less scrap.
std::string ScrapProvenLine(bool proven);

}  // namespace yobina
