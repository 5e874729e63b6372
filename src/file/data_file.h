// The job file (".qzl") and the backup: a code page 932 text file of key=value
// lines, one per element of the input page, and one line per grid row.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "file/input_page.h"
#include "job/job_document.h"

namespace yobina {

inline constexpr const char* kBackupFileName = "#BackUp.Qzl";
inline constexpr std::string_view kDataFileHeader = "File Version KVD.Tlmex  1.00";

enum class LoadResult { Loaded, WrongVersion };

// Writes the whole input page. A value the file cannot hold (see
// writable_values.h) is refused with IoError naming it, before anything is
// written. Goes through a temporary file in the same folder
// that replaces the target only once it is complete, so a failed save leaves the
// old file as it was (see WriteFileAtomically). Throws IoError.
void SaveDataFile(const InputPage& page, const std::filesystem::path& file);

// Applies the file's lines to the page. WrongVersion (nothing changed) for a
// file whose first line is not the header. Throws IoError when the file cannot
// be opened or read, is not a regular file, is written in UTF-8 (valid
// UTF-8, not valid code page 932), or holds a list row the page cannot take
// as it stands (DataFileParser::Fault): refused, nothing changed. Lines
// applied before a read error stay applied.
LoadResult LoadDataFile(InputPage& page, const std::filesystem::path& file);

// The bytes SaveDataFile writes for the page; IoError for a value the file cannot hold.
std::string FormatDataFile(const InputPage& page);

// LoadDataFile on a file's bytes already in memory, without the encoding
// check; IoError for a row it cannot take, nothing changed.
LoadResult LoadDataFileFromBytes(InputPage& page, std::string_view bytes);

// The same for a job document, through a page in memory: a document saves
// and loads exactly as the page it was read from.
void SaveDataFile(const JobDocument& document, const std::filesystem::path& file);
std::string FormatDataFile(const JobDocument& document);
// On success the document holds the file's job over what it held before, as
// a page would; on WrongVersion or IoError it is left as it was.
LoadResult LoadDataFile(JobDocument& document, const std::filesystem::path& file);

}  // namespace yobina
