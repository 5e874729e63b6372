// Where the window's files go: the names of job files and the folder the
// backup lives in.
#pragma once

#include <filesystem>

namespace yobina {

// The job file a name chosen in the open or save dialog stands for. A
// ".qzl" extension in any letter case is kept as typed; another extension is
// replaced by ".QZL", and a name without one gets ".QZL". On a file system
// that tells letter case apart, where that file does not exist but one whose
// name differs only in the extension's case does ("job.Qzl"), that one is the
// same job and is returned instead; ".QZL", then ".qzl", win over other spellings.
std::filesystem::path JobFileName(const std::filesystem::path& chosen);

// The program's folder when the program may write there, else `fallback`
// (created if missing): the backup must be writable for every Run.
std::filesystem::path ChooseWritableFolder(const std::filesystem::path& programFolder,
                                           const std::filesystem::path& fallback);

}  // namespace yobina
