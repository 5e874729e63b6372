// The batch program's road: load the job onto a fresh page, run it, write the
// report. Exit codes: 0 plan found, 1 no plan, 2 bad file or failed output.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/run_command.h"
#include "cli/cli_options.h"
#include "job/input_page.h"

namespace yobina {

// Prints the last Run's report (or diagrams) to a PDF file; throws IoError on failure.
using PdfWriter = std::function<void(const InputPage&, Workspace&, const std::filesystem::path&)>;

inline constexpr int kExitPlanFound = 0;
inline constexpr int kExitNoPlan = 1;
inline constexpr int kExitFailure = 2;

// `pdf` and `diagrams` are empty when this build cannot print.
int RunBatch(const CliOptions& options, std::FILE* out, std::FILE* err, const PdfWriter& pdf,
             const PdfWriter& diagrams = {});

}  // namespace yobina
