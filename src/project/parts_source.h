// Where the building's parts come from: a parts-list CSV, or a folder of DSTV
// NC files (nc/nc_folder.h).
#pragma once

#include <filesystem>
#include <string>

#include "project/nc/nc_folder.h"
#include "project/parts_list.h"

namespace yobina {

// The parts of `path`, a folder read as NC files and anything else as a parts
// list. Throws IoError (Japanese text, UTF-8) when it cannot be read.
PartsListRead ReadPartsSource(const std::filesystem::path& path, NcLength length);

// The project's name from `path`: a folder's name, else the file's name
// without its extension; code page 932, at most 32 bytes (empty when it has a
// character the code page lacks).
std::string ProjectNameOf(const std::filesystem::path& path);

}  // namespace yobina
