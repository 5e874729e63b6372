// A job's cut list or stock list read from a CSV file, in the parts list's
// columns (長さ, 本数 required; 部材名, 符号, 単位重量 taken and, but for
// the one section, not used), found by the same reader: encoding from the
// bytes, named bad lines. The file replaces the list whole, or not at all:
// any bad line, more rows than the list holds, or rows of more than one
// section refuse it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "job/job_document.h"

namespace yobina {

struct ListCsvRead {
  std::vector<JobRow> Rows;  // kGridDataRows rows: the file's, then blank ones
  std::string Section;       // code page 932: the 部材名 of the rows; empty without one
  std::vector<std::string>
      Problems;  // code page 932, one line each ("部品表 3行目: ..."); any refuses the file
};

// `grid` says which list the file is for: the cut list reads as a parts list
// (部品表), the stock list as a stock list (在庫表).
ListCsvRead ReadListCsv(std::string_view bytes, GridId grid);

// Replaces the document's list with the rows read; the section becomes the
// job's member name when the job has none. Only for a read without problems.
void ApplyListCsv(JobDocument& document, GridId grid, const ListCsvRead& read);

}  // namespace yobina
