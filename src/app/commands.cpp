#include "app/commands.h"

#include "job/job_io.h"

namespace yobina {

void PrintReport(const InputPage& page, Workspace& workspace, PrintDevice& printer) {
  workspace.report.BuildReport(page, workspace.lastRunJob, workspace.lastPlan, printer,
                               workspace.lastPlanNotes);
}

void MergeEqualLengthsCommand(InputPage& page, Workspace& workspace) {
  MergeEqualCutLengths(page, workspace.job);
}

void SortCutListCommand(InputPage& page, Workspace& workspace) {
  ReadJobFromInput(page, workspace.job);
  SortCutTable(workspace.job);
  WriteJobToInput(workspace.job, page);
}

}  // namespace yobina
