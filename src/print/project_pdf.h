// project.pdf of a planned building, written into the output folder's staging
// folder as it is drawn.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>

#include "project/project_outputs.h"
#include "project/project_result.h"

namespace yobina {

// The building's PDF (see PrintProject) as a new file `file`, each section
// read as it is printed; `shown` names it in messages. Throws IoError, or
// WritingStopped once `stop` is set. A ProjectPdfWriter.
void WriteProjectPdf(const ProjectResult& result, const SectionReader& read,
                     const std::filesystem::path& file, const std::string& shown,
                     const std::atomic<bool>* stop);

// The building's labels.pdf (see PrintBuildingLabels) likewise. A ProjectPdfWriter.
void WriteLabelsPdf(const ProjectResult& result, const SectionReader& read, const std::filesystem::path& file,
                    const std::string& shown, const std::atomic<bool>* stop);

}  // namespace yobina
