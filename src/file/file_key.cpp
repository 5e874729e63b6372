#include "file/file_key.h"

#include <sys/stat.h>

#include "file/atomic_file.h"
#include "text/io_error.h"

namespace yobina {

std::optional<FileKey> FileKeyOf(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) return FileKey{info.st_dev, info.st_ino, {}};
  const std::filesystem::path folder = file.parent_path();
  if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0) return std::nullopt;
  return FileKey{info.st_dev, info.st_ino, file.filename().string()};
}

std::optional<FileKey> OutputFileKeyOf(const std::filesystem::path& target) {
  try {
    return FileKeyOf(FinalTarget(target));
  } catch (const IoError&) {
    return std::nullopt;
  }
}

}  // namespace yobina
