// Which file a name stands for, so that two names of one file (links, hard
// links, "./x" and "x") are found to be one.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace yobina {

// A file's device and inode when it exists, else its folder's and its own name.
struct FileKey {
  dev_t Device = 0;
  ino_t Inode = 0;
  std::string Name;
  bool operator==(const FileKey&) const = default;
};

// For a file read: links followed. None when neither it nor its folder can be found.
std::optional<FileKey> FileKeyOf(const std::filesystem::path& file);

// For a file a save writes: the end of its chain of links (see FinalTarget).
// None for a link loop, which the target check reports.
std::optional<FileKey> OutputFileKeyOf(const std::filesystem::path& target);

}  // namespace yobina
