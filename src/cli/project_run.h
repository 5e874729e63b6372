// --project: the building's inputs read and checked, its sections planned side
// by side with a line on stderr as each is done, and the output folder
// written as one run (see BuildingFolder).
// Exit status: 0 every section has a plan; 1 some have none (the others are
// written, and stderr and the summary name the ones without); 2 bad input
// (every fault named by file and line; nothing written), an input where an
// output goes, a folder another run is writing, an output that cannot be
// written, or too little memory; 3 stopped by Ctrl+C or SIGTERM, while
// planning or writing (the folder as it was: a purchase list without every
// section would read as complete).
#pragma once

#include <cstdio>

#include "app/stop_token.h"
#include "cli/project_options.h"
#include "project/building_folder.h"

namespace yobina {

// `pdf` (project.pdf) and `labels` (labels.pdf) empty where this build cannot print.
int RunProject(const ProjectOptions& options, std::FILE* out, std::FILE* err, const ProjectPdfWriter& pdf,
               const ProjectPdfWriter& labels, const StopToken& stop);

}  // namespace yobina
