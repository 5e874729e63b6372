// The batch program's road: load the job onto a fresh page, plan it (the Run's
// trials, or the optimal planner with --exact), write the report.
// Exit codes: 0 plan found; 1 no plan (none exists, or none was found before
// the time limit or the stop); 2 bad file, failed output or a job the optimal
// planner refuses; 3 stopped by the time limit (a Run) or by the stop flag,
// with the best plan so far reported and "中断しました" on stderr.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/run_command.h"
#include "app/stop_flag.h"
#include "cli/cli_options.h"
#include "job/input_page.h"

namespace yobina {

// Prints the last plan's report (or diagrams) to a PDF file; throws IoError on failure.
using PdfWriter = std::function<void(const InputPage&, Workspace&, const std::filesystem::path&)>;

inline constexpr int kExitPlanFound = 0;
inline constexpr int kExitNoPlan = 1;
inline constexpr int kExitFailure = 2;
inline constexpr int kExitStopped = 3;

// `pdf` and `diagrams` are empty when this build cannot print. `stop` ends the
// planning early (a signal handler may raise it); --time-limit is added to it here.
int RunBatch(const CliOptions& options, std::FILE* out, std::FILE* err, const PdfWriter& pdf,
             const PdfWriter& diagrams, StopFlag& stop);

}  // namespace yobina
