// The optimal-plan command: the same steps as the Run before and after, the
// proven-optimal planner in between. The window plans on a thread of its own,
// so it takes the three steps one by one; the batch program takes them in a row.
#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/plan_export.h"
#include "app/run_command.h"
#include "exact/exact_planner.h"
#include "job/input_page.h"

namespace yobina {

inline constexpr double kDefaultExactSeconds = 10;

struct ExactOptions {
  std::optional<std::filesystem::path> BackupFile;  // none: write no backup
  double TimeLimitSeconds = kDefaultExactSeconds;
  const std::atomic<bool>* Stop = nullptr;  // ends the planner early, keeping its best plan
};

struct ExactOutcome {
  ExactStatus Status = ExactStatus::NotFound;
  bool PlanFound = false;
  std::vector<std::string> ReportLines;  // the results text when a plan was found
  std::string Message;                   // code page 932: why the job was refused
  std::optional<PlanProof> Proof;        // with a plan: whether it is proven, and the bound
};

// The report lines the planner's result adds under the totals (code page 932).
std::vector<std::string> ExactReportNotes(const ExactResult& result);

// After PrepareJob and PlanExact on `job`: keeps the plan as the workspace's
// last plan and builds its report. A refused job leaves the workspace as it was.
ExactOutcome FinishExactCommand(const InputPage& page, Workspace& workspace, const TJob& job,
                                const ExactResult& result);

// PrepareJob, PlanExact and FinishExactCommand in a row. Throws IoError when
// the backup cannot be written (nothing is planned).
ExactOutcome ExactCommand(InputPage& page, Workspace& workspace, ExactObserver& observer,
                          const ExactOptions& options);

}  // namespace yobina
