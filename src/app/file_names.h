// Where the window's files go: the forced ".QZL" extension of job files and
// the folder the backup lives in.
#pragma once

#include <filesystem>

namespace yobina {

// The name with its extension replaced by ".QZL", or ".QZL" appended when it
// has none. On a file system that tells letter case apart, an existing file
// whose name differs only in the extension's case ("job.qzl") is the same job
// and is returned instead; ".QZL" itself, then ".qzl", win over other spellings.
std::filesystem::path ForceQzlExtension(const std::filesystem::path& path);

// The program's folder when the program may write there, else `fallback`
// (created if missing): the backup must be writable for every Run.
std::filesystem::path ChooseWritableFolder(const std::filesystem::path& programFolder,
                                           const std::filesystem::path& fallback);

}  // namespace yobina
