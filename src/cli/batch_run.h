// The batch program's road: load the job onto a fresh page, check the output
// files, plan it (the Run's trials, or the optimal planner with --exact),
// write the output files all or none, then the report.
// Exit status, in the words of README and --help: 0 a plan (with --exact, its
// plan at its time limit, proven or not); 1 no plan (none exists, or --exact
// found none in its time); 2 bad usage, an unreadable job file, an output that
// cannot be written (then none is written) or a job --exact refuses; 3 the work
// was cut short, with 中断しました on stderr: a Run that did not finish its
// trials (--time-limit, Ctrl+C or SIGTERM) or either planner stopped by Ctrl+C
// or SIGTERM; the report is the best plan so far, if there is one.
// Too little memory is a failure too: 2, "メモリが足りません。". So is an offcut
// inventory that cannot be opened, or a refused --keep-offcuts (but a stopped
// planning, which keeps nothing, stays 3).
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string_view>

#include "app/stop_token.h"
#include "cli/cli_options.h"
#include "plan/plan_result.h"
#include "shop/cut_list.h"
#include "shop/label_sheet.h"

namespace yobina {

// Puts a finished file's bytes where they are to go; throws IoError.
using FileWriter = std::function<void(const std::filesystem::path&, std::string_view)>;

// Prints a plan's report (or diagrams) as a PDF for a file, handing the bytes
// to the FileWriter; throws IoError, naming the file, on failure.
using PdfWriter = std::function<void(const PlanResult&, const std::filesystem::path&, const FileWriter&)>;
// Prints the labels of a cut list as a PDF for a file, likewise.
using LabelsWriter =
    std::function<void(const CutList&, const LabelSheet&, const std::filesystem::path&, const FileWriter&)>;

inline constexpr int kExitPlanFound = 0;
inline constexpr int kExitNoPlan = 1;
inline constexpr int kExitFailure = 2;
inline constexpr int kExitStopped = 3;

// `pdf`, `diagrams` and `labels` are empty when this build cannot print.
// `stop` ends the planning early (the thread that takes the signals stops
// it); --time-limit is set on it here.
int RunBatch(const CliOptions& options, std::FILE* out, std::FILE* err, const PdfWriter& pdf,
             const PdfWriter& diagrams, const LabelsWriter& labels, StopToken& stop);

}  // namespace yobina
