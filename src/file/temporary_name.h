// The temporary files a save writes before it renames them over the target.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace yobina {

// A short hidden name, so that any valid target name can be saved: a hash of
// the target's name and the writing process's number, ".9f2c01ab.4711.tmp".
std::string TemporaryNameFor(std::string_view targetName, pid_t process);

// Removes the temporary files of `targetName` in `folder` whose process no
// longer runs (killed during a save). Failures are ignored.
void RemoveStaleTemporaries(const std::filesystem::path& folder, std::string_view targetName);

}  // namespace yobina
