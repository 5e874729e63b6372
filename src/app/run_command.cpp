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
  LossLabelProgress(RunView& view, Optimizer& optimizer, const StopFlag* stop)
      : view_(view), optimizer_(optimizer), stop_(stop) {}

  void ReportTrialProgress(double lossRate, int32_t trial, double bestLossRate) override {
    view_.SetLossLabels(FormatTrialLossLabel(lossRate, trial), FormatBestLossLabel(bestLossRate));
  }
  void TrialEnded(int32_t trial) override { view_.SetTrialsDone(trial); }
  void YieldToWindow() override {
    view_.ProcessEvents();
    if (stop_ != nullptr && stop_->ShouldStop()) optimizer_.RequestStop();
  }

 private:
  RunView& view_;
  Optimizer& optimizer_;
  const StopFlag* stop_;
};

}  // namespace

TJob& PrepareJob(InputPage& page, Workspace& workspace,
                 const std::optional<std::filesystem::path>& backupFile) {
  TJob& job = workspace.job;
  job.SmallStockLimit = kSmallStockLimit;
  ReadJobFromInput(page, job);
  WriteJobToInput(job, page);
  SortStockTable(job);
  SortCutTable(job);
  if (backupFile) SaveDataFile(page, *backupFile);
  return job;
}

RunOutcome RunCommand(InputPage& page, Workspace& workspace, RunView& view, const RunOptions& options) {
  TJob& job = PrepareJob(page, workspace, options.BackupFile);

  const int32_t trials =
      options.TrialsOverride ? std::max(*options.TrialsOverride, 1) : TrialCountFromPage(page);
  LossLabelProgress progress(view, workspace.optimizer, options.Stop);
  workspace.optimizer.RunTrials(job, trials, progress);
  view.SetTrialLabel(IdleTrialLabel());

  RunOutcome outcome;
  outcome.Stopped = workspace.optimizer.StopRequested();
  outcome.PlanFound = workspace.optimizer.BestPlan().PatternCount != 0;
  if (outcome.PlanFound) workspace.optimizer.OrderPatterns();
  // From here on the last plan belongs to these tables, found or not.
  workspace.lastRunJob = job;
  workspace.lastPlan = workspace.optimizer.BestPlan();
  workspace.lastPlanNotes.clear();
  if (!outcome.PlanFound) return outcome;
  outcome.ReportLines = workspace.report.BuildReport(page, workspace.lastRunJob, workspace.lastPlan);
  return outcome;
}

}  // namespace yobina
