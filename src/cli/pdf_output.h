// --pdf needs the GUI toolkit for fonts and painting; everything else runs without it.
#pragma once

#include "app/stop_token.h"
#include "cli/cli_options.h"

namespace yobina {

// RunBatch inside an offscreen GUI application that prints to PDF; without the
// printing layer in this build, says so and returns 2.
int RunBatchWithPdf(const CliOptions& options, int& argc, char** argv, StopToken& stop);

// RunProject, with project.pdf where this build can print.
int RunProjectWithPdf(const ProjectOptions& options, int& argc, char** argv, const StopToken& stop);

}  // namespace yobina
