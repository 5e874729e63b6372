// The job as a value: what the input page holds, field by field and cell by
// cell, as the user typed it or a file brought it (code page 932 texts). A
// command reads it from the page once, at its start; the planners, the
// outputs, the file and the comparisons (is the plan current, are there
// unsaved changes) all work on this value, never on the page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "job/page_elements.h"

namespace yobina {

// One row of a list: the texts of its length and count cells.
struct JobRow {
  std::string Length;
  std::string Count;

  bool operator==(const JobRow&) const = default;
};

struct JobDocument {
  std::string Year;
  std::string Month;
  std::string Day;
  std::string ProjectName;
  std::string MemberName;
  std::string UnitWeight;                            // kg/m
  std::string Margin;                                // mm every bar may be overrun by
  std::string Kerf;                                  // mm lost at every cut
  int TrialIndex = kTrialCountElement.DefaultIndex;  // -1: no item chosen
  // The lists top to bottom, kGridDataRows rows each; blank rows stay in place.
  std::vector<JobRow> StockRows = std::vector<JobRow>(kGridDataRows);
  std::vector<JobRow> CutRows = std::vector<JobRow>(kGridDataRows);
  // The minimum offcut length (mm): a leftover at least this long is kept as
  // an offcut, a shorter one is scrap; 0 is off. A setting of the user's (or
  // the command line's), never stored in the job file.
  int32_t OffcutMin = 0;

  // The one comparison: whether the plan is still this job's, and whether
  // the job has changed since it was saved, both ask this.
  bool operator==(const JobDocument&) const = default;
};

std::string& FieldOf(JobDocument& document, FieldId field);
const std::string& FieldOf(const JobDocument& document, FieldId field);

std::vector<JobRow>& RowsOf(JobDocument& document, GridId grid);
const std::vector<JobRow>& RowsOf(const JobDocument& document, GridId grid);

}  // namespace yobina
