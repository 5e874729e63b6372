#include "file/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "file/io_error.h"

namespace yobina {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowErrno(int errorNumber) {
  throw IoError(PlatformErrorText(errorNumber));
}

// A symbolic link keeps pointing at the job: its file is the one replaced.
fs::path ResolveTarget(const fs::path& target) {
  std::error_code error;
  if (!fs::is_symlink(target, error)) return target;
  const fs::path resolved = fs::weakly_canonical(target, error);
  return error ? target : resolved;
}

// Creates a new hidden file beside the target; the name is unique to this process.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
  // Appended piece by piece: GCC 12 at -O3 warns falsely about "." + std::string.
  std::string stem(1, '.');
  stem.append(target.filename().string()).append(1, '.').append(std::to_string(::getpid())).append(1, '.');
  for (int attempt = 0;; ++attempt) {
    std::string name = stem;
    name.append(std::to_string(attempt)).append(".tmp");
    temporary = target.parent_path() / name;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST || attempt >= 100) ThrowErrno(errno);
  }
}

// 0, or the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the data itself is already on the disk
  ::close(fd);
}

}  // namespace

void WriteFileAtomically(const fs::path& target, std::string_view bytes) {
  const fs::path file = ResolveTarget(target);
  fs::path temporary;
  const int fd = CreateTemporary(file, temporary);

  // A replaced job keeps its permissions.
  struct stat existing {};
  if (::stat(file.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    ::fchmod(fd, existing.st_mode & 07777);
  }

  int failure = WriteAll(fd, bytes);
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temporary.c_str());
    ThrowErrno(failure);
  }
  SyncFolder(file.parent_path());
}

}  // namespace yobina
