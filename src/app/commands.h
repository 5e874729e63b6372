// The window's other commands that need no window.
#pragma once

#include "app/run_command.h"
#include "graph/print_device.h"
#include "job/input_page.h"

namespace yobina {

// Prints the report of the last plan, whichever planner made it, with the
// sorted tables it was made from, so editing the grids since does not change
// what is printed.
// The fields (date, names, unit weight, margin, kerf) are read as they are now.
// Throws IoError when the printer fails.
void PrintReport(const InputPage& page, Workspace& workspace, PrintDevice& printer);

// "同長切断材をまとめる": later cut rows of an equal length are added to the first.
void MergeEqualLengthsCommand(InputPage& page, Workspace& workspace);

// "切断リストのソート": the cut list by length, shortest first; both grids compacted.
void SortCutListCommand(InputPage& page, Workspace& workspace);

}  // namespace yobina
