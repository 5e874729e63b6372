// The Run: the workspace it fills, what it shows while it works, its options
// and outcome, and the steps every planner starts with. Shared by the window
// and the batch program; the other commands are in commands.h.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/stop_flag.h"
#include "graph/print_device.h"
#include "job/input_page.h"
#include "job/job.h"
#include "optimizer/optimizer.h"
#include "report/report_builder.h"

namespace yobina {

// State that lives as long as the window: the last plan, whichever planner
// made it, with the sorted tables it was made from; every report is built from them.
struct Workspace {
  Optimizer optimizer;
  TJob job;                                // the tables the commands fill from the input page
  TJob lastRunJob;                         // the sorted tables of the last plan
  TCutPlan lastPlan{};                     // in report order; PatternCount 0 when the last planner found none
  std::vector<std::string> lastPlanNotes;  // the optimal planner's report lines; none after a Run
  ReportBuilder report;
};

// What a Run shows while it works. Texts are code page 932.
class RunView {
 public:
  virtual ~RunView() = default;
  virtual void SetLossLabels(const std::string& lbZhi, const std::string& lbZhiMin) = 0;
  virtual void SetTrialLabel(const std::string& lbZhi) = 0;
  // How many trials are over, those without a plan included.
  virtual void SetTrialsDone(int32_t /*trials*/) {}
  // Lets the window process pending events; it may ask the optimizer to stop.
  virtual void ProcessEvents() = 0;
};

struct RunOutcome {
  bool PlanFound = false;
  // The user stopped the Run: without a plan this is no proof that none exists.
  bool Stopped = false;
  std::vector<std::string> ReportLines;  // the results text when a plan was found
};

struct RunOptions {
  std::optional<std::filesystem::path> BackupFile;  // none: write no backup
  std::optional<int> TrialsOverride;                // else from the selected caption
  const StopFlag* Stop = nullptr;                   // ends the trials early, keeping the best plan
};

// The steps every planner starts with: reads the page into workspace.job,
// writes the normalised job back to it, sorts both tables and writes the
// backup. Throws IoError when the backup cannot be written.
TJob& PrepareJob(InputPage& page, Workspace& workspace,
                 const std::optional<std::filesystem::path>& backupFile);

// Reads, normalises and sorts the job, writes the backup, runs the trials and
// builds the report. Throws IoError when the backup cannot be written (no trial runs).
RunOutcome RunCommand(InputPage& page, Workspace& workspace, RunView& view, const RunOptions& options);

}  // namespace yobina
