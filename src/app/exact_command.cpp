#include "app/exact_command.h"

#include <algorithm>

#include "app/stop_flag.h"
#include "report/report_lines.h"

namespace yobina {

std::vector<std::string> ExactReportNotes(const ExactResult& result) {
  std::vector<std::string> notes;
  if (result.Status == ExactStatus::Proven) {
    notes.push_back(ProvenOptimalLine(result.BoundLossRate));
  } else if (result.Status == ExactStatus::Unproven) {
    notes.push_back(UnprovenLine(result.BoundLossRate, result.GapMeters));
  } else {
    return notes;
  }
  notes.push_back(SetupsLine(result.Setups.Patterns, result.Setups.LowerBound, result.Setups.Proven));
  if (const std::optional<ReferenceFigure>& figure = result.WithoutShortFirst)
    notes.push_back(WithoutShortFirstLine(figure->StockLength, figure->LossRate, figure->Proven));
  return notes;
}

ExactOutcome FinishExactCommand(const InputPage& page, Workspace& workspace, const TJob& job,
                                const ExactResult& result) {
  ExactOutcome outcome;
  outcome.Status = result.Status;
  if (result.Status == ExactStatus::Refused) {
    outcome.Message = result.Message;
    return outcome;
  }
  // As after a Run: the last plan belongs to these tables, found or not.
  workspace.lastRunJob = job;
  workspace.lastPlan = result.Plan;
  outcome.PlanFound = result.Plan.PatternCount != 0;
  if (!outcome.PlanFound) {
    workspace.lastPlan = TCutPlan{};
    workspace.lastPlanNotes.clear();
    return outcome;
  }
  workspace.lastPlanNotes = ExactReportNotes(result);
  outcome.Proof = PlanProof{result.Status == ExactStatus::Proven,
                            result.BoundLossRate,
                            result.GapMeters,
                            result.Setups.Patterns,
                            result.Setups.LowerBound,
                            result.Setups.Proven};
  outcome.ReportLines =
      workspace.report.BuildReport(page, workspace.lastRunJob, workspace.lastPlan, workspace.lastPlanNotes);
  return outcome;
}

ExactOutcome ExactCommand(InputPage& page, Workspace& workspace, ExactObserver& observer,
                          const ExactOptions& options) {
  const TJob& job = PrepareJob(page, workspace, options.BackupFile);
  ExactLimits limits;
  limits.TimeLimitSeconds = std::min(options.TimeLimitSeconds, kLongestTimeLimitSeconds);
  limits.Stop = options.Stop;
  const ExactResult result = PlanExact(job, limits, observer);
  return FinishExactCommand(page, workspace, job, result);
}

}  // namespace yobina
