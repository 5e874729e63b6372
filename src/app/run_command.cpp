#include "app/run_command.h"

#include <algorithm>

#include "app/run_labels.h"
#include "file/data_file.h"
#include "job/job_io.h"

namespace yobina {
namespace {

// Turns the trial driver's progress into the two loss-rate labels.
class LossLabelProgress : public TrialProgress {
 public:
  explicit LossLabelProgress(RunView& view) : view_(view) {}

  void ReportTrialProgress(double lossRate, int32_t trial, double bestLossRate) override {
    view_.SetLossLabels(FormatTrialLossLabel(lossRate, trial), FormatBestLossLabel(bestLossRate));
  }
  void YieldToWindow() override { view_.ProcessEvents(); }

 private:
  RunView& view_;
};

}  // namespace

RunOutcome RunCommand(InputPage& page, Workspace& workspace, RunView& view, const RunOptions& options) {
  TJob& job = workspace.job;
  job.SmallStockLimit = kSmallStockLimit;
  ReadJobFromInput(page, job);
  WriteJobToInput(job, page);
  SortStockTable(job);
  SortCutTable(job);

  if (options.BackupFile) SaveDataFile(page, *options.BackupFile);

  const int32_t trials =
      options.TrialsOverride ? std::max(*options.TrialsOverride, 1) : TrialCountFromPage(page);
  LossLabelProgress progress(view);
  workspace.optimizer.RunTrials(job, trials, progress);
  // From here on the best plan belongs to these tables, found or not.
  workspace.lastRunJob = job;
  view.SetTrialLabel(IdleTrialLabel());

  RunOutcome outcome;
  outcome.Stopped = workspace.optimizer.StopRequested();
  if (workspace.optimizer.BestPlan().PatternCount == 0) return outcome;
  workspace.optimizer.OrderPatterns();
  outcome.PlanFound = true;
  outcome.ReportLines =
      workspace.report.BuildReport(page, workspace.lastRunJob, workspace.optimizer.BestPlan());
  return outcome;
}

}  // namespace yobina
