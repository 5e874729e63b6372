// Moving the job between its document and its tables, the sorts of the
// tables, and the edit commands that rewrite the lists.
#pragma once

#include "job/job.h"
#include "job/job_document.h"

namespace yobina {

// Margin and kerf from their fields; every row with a non-zero length, in
// list order (blank rows are skipped, not ends). Rows are not sorted.
TJob ReadJob(const JobDocument& document);

// Margin and kerf in their fields' formats; the rows in use at the top of
// their lists in their columns' formats (zero as an empty cell), the other
// rows emptied. The other fields stay as they are.
void WriteJob(const TJob& job, JobDocument& document);

// The job as the planners take it: read, then both tables sorted.
TJob PlanningJob(const JobDocument& document);

// The document as every planner leaves the page before it starts: the job
// read and written back (numbers tidied, blank rows closed up), in typed order.
JobDocument Normalized(const JobDocument& document);

// Ascending by length with a plain exchange sort through row 0; the order it
// leaves among equal lengths is part of the result.
void SortStockTable(TJob& job);
void SortCutTable(TJob& job);

// "同長切断材をまとめる": the first cut row of each length takes the counts of
// the later ones, which are dropped; both lists are rewritten compacted.
void MergeEqualCutLengths(JobDocument& document);

// "切断リストのソート": the cut list by length, shortest first; both lists compacted.
void SortCutList(JobDocument& document);

}  // namespace yobina
