// Replacing a file's whole contents so that readers and crashes see either the
// old file or the new one, never a truncated mix.
#pragma once

#include <filesystem>
#include <string_view>

namespace yobina {

// New contents written beside their target and not yet put in its place, so
// that several files can be replaced only once all of them are written.
// Destroying it uncommitted removes the temporary file; the target stays.
class StagedFile {
 public:
  StagedFile() = default;
  ~StagedFile();
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&& other) noexcept;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Renames the temporary file over the target. On failure the temporary file
  // is removed and IoError carries a Japanese text.
  void Commit();

 private:
  friend StagedFile StageFile(const std::filesystem::path& target, std::string_view bytes);
  void Discard() noexcept;

  std::filesystem::path target_;     // the final file, links followed
  std::filesystem::path temporary_;  // empty once committed or discarded
};

// The first half of WriteFileAtomically: checks the target, writes `bytes` to
// a new temporary file in its folder with the replaced file's permissions and
// flushes it to the disk. Throws IoError, leaving nothing behind.
StagedFile StageFile(const std::filesystem::path& target, std::string_view bytes);

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

// The file a write of `target` replaces: the end of its chain of symbolic
// links, which need not exist. Throws IoError for a loop or an unreadable link.
std::filesystem::path FinalTarget(const std::filesystem::path& target);

}  // namespace yobina
