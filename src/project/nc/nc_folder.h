// A folder of DSTV NC files read as the building's parts list: a file a part
// times its quantity.
//
// A section is the profile and the grade, "H-400×200×8×13 SN490B" (a *, x or
// X between two numbers of the profile shown as ×), so that grades never mix
// on one bar. The length cut is the saw length where the file gives one (and
// NcLength::Saw), else the length, rounded up to the whole mm. Plates and
// parts without a length are not planned: the notes count them. A file that
// cannot be read or planned is an issue named by the file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "project/parts_list.h"

namespace yobina {

enum class NcLength { Saw, Length };

struct NcFile {
  std::string Name;       // the file's name, UTF-8
  std::string Bytes;      // its contents
  std::string ReadError;  // why it could not be read (Japanese, UTF-8); empty when it was
};

// The parts of the files, in the order given; Line is the file's number from 1.
PartsListRead ReadNcFiles(const std::vector<NcFile>& files, NcLength length);

// Every *.nc1 and *.nc file (any case) of `folder`, not its subfolders, in the
// order of their names (by bytes). Throws IoError when it cannot be listed.
std::vector<std::filesystem::path> NcFilesIn(const std::filesystem::path& folder);

// ReadNcFiles over NcFilesIn; throws IoError.
PartsListRead ReadNcFolder(const std::filesystem::path& folder, NcLength length);

// "H-400×200×8×13 SN490B" for H-400*200*8*13 and SN490B (code page 932).
std::string NcSectionName(const DstvDetail& detail);

}  // namespace yobina
