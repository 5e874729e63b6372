// Moving the job between the input page and its tables, the sorts of the
// tables, and the merging of equal cut lengths.
#pragma once

#include "job/input_page.h"
#include "job/job.h"

namespace yobina {

// Margin and kerf from their fields; every grid row with a non-zero length,
// in grid order (blank rows are skipped, not ends).
void ReadJobFromInput(const InputPage& page, TJob& job);

// Margin and kerf in their fields' formats; the rows in use in their columns'
// formats (zero as an empty cell), the other data rows emptied.
void WriteJobToInput(const TJob& job, InputPage& page);

// Ascending by length with a plain exchange sort through row 0; the order it
// leaves among equal lengths is part of the result.
void SortStockTable(TJob& job);
void SortCutTable(TJob& job);

// The first cut row of each length takes the counts of the later ones, which
// are dropped; both grids are rewritten compacted.
void MergeEqualCutLengths(InputPage& page, TJob& job);

}  // namespace yobina
