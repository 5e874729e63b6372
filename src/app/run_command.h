// The Run command and the other window commands that need no window, shared
// by the window and the batch program.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graph/print_device.h"
#include "job/input_page.h"
#include "job/job.h"
#include "optimizer/optimizer.h"
#include "report/report_builder.h"

namespace yobina {

// State that lives as long as the window: the optimizer with its best plan and
// the sorted tables of the Run that made it, which every report is built from.
struct Workspace {
  Optimizer optimizer;
  TJob job;         // the tables the commands fill from the input page
  TJob lastRunJob;  // the sorted tables of the last Run, paired with BestPlan
  ReportBuilder report;
};

// What a Run shows while it works. Texts are code page 932.
class RunView {
 public:
  virtual ~RunView() = default;
  virtual void SetLossLabels(const std::string& lbZhi, const std::string& lbZhiMin) = 0;
  virtual void SetTrialLabel(const std::string& lbZhi) = 0;
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
};

// Reads, normalises and sorts the job, writes the backup, runs the trials and
// builds the report. Throws IoError when the backup cannot be written (no trial runs).
RunOutcome RunCommand(InputPage& page, Workspace& workspace, RunView& view, const RunOptions& options);

}  // namespace yobina
