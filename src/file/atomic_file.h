// Replacing a file's whole contents so that readers and crashes see either the
// old file or the new one, never a truncated mix.
#pragma once

#include <filesystem>
#include <string_view>

namespace yobina {

// Writes `bytes` to a new file in the target's folder, flushes it to the disk
// and renames it over the target (following a symbolic link to its file). On
// failure the temporary file is removed, the target is untouched, and IoError
// carries the platform's text.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace yobina
