// Replacing a file's whole contents so that readers and crashes see either the
// old file or the new one, never a truncated mix.
#pragma once

#include <filesystem>
#include <string_view>

namespace yobina {

// Writes `bytes` to a new file in the target's folder, flushes it to the disk
// and renames it over the target. A symbolic link is followed to its final
// file, which is created when the link dangles; the link stays. A replaced file
// keeps its permission bits, and its owner where the process may set it. A
// file nobody may write, a folder or a non-regular file is refused. A
// temporary file of the same target left by a process that no longer runs is
// removed. On failure the temporary file is removed, the target is untouched,
// and IoError carries a Japanese text.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Throws the IoError WriteFileAtomically would throw before writing anything,
// for a target it must not replace or a folder it cannot create a file in; for
// output that is made before it is written.
void CheckWritableTarget(const std::filesystem::path& target);

}  // namespace yobina
