// project.pdf of a planned building, made in memory for the output folder.
#pragma once

#include <filesystem>
#include <string>

#include "project/project_result.h"

namespace yobina {

// The bytes of the building's PDF (see PrintProject), for the file `target`,
// whose folder need not exist yet. Throws IoError.
std::string ProjectPdfBytes(const ProjectResult& result, const std::filesystem::path& target);

}  // namespace yobina
