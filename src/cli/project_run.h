// --project: the building's inputs read and checked, its sections planned side
// by side with a line on stderr as each is done, and the output folder
// written all or none.
// Exit status: 0 every section has a plan; 1 some have none (the others are
// written, and stderr and the summary name the ones without); 2 bad input
// (every fault named by file and line; nothing written), an output that cannot
// be written, or too little memory; 3 stopped by Ctrl+C or SIGTERM (nothing
// written: a purchase list without every section would read as complete).
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/stop_token.h"
#include "cli/project_options.h"
#include "project/project_result.h"

namespace yobina {

// The project's PDF as bytes, for the file `target` (whose folder may not be
// made yet); throws IoError. Empty where this build cannot print.
using ProjectPdfMaker = std::function<std::string(const ProjectResult&, const std::filesystem::path& target)>;

int RunProject(const ProjectOptions& options, std::FILE* out, std::FILE* err, const ProjectPdfMaker& pdf,
               const StopToken& stop);

}  // namespace yobina
