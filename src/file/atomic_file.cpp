#include "file/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "file/io_error.h"
#include "file/temporary_name.h"

namespace yobina {
namespace {

namespace fs = std::filesystem;

// The most links followed before the chain counts as a loop, as the kernel does.
constexpr int kMaxLinkHops = 40;

[[noreturn]] void ThrowErrno(int errorNumber) {
  throw IoError(PlatformErrorText(errorNumber));
}

// Refuses what a save must not replace; the existing file's status, if any.
bool CheckReplaceable(const fs::path& file, struct stat& existing) {
  if (::stat(file.c_str(), &existing) != 0) {
    if (errno != ENOENT) ThrowErrno(errno);
    const fs::path name = file.filename();
    if (name.empty() || name == "." || name == "..") throw IoError(std::string(kNoFileNameText));
    return false;
  }
  if (S_ISDIR(existing.st_mode)) ThrowErrno(EISDIR);
  if (!S_ISREG(existing.st_mode)) throw IoError(std::string(kNotRegularFileText));
  // A file without any write permission is read-only for everyone, as on the
  // desktop: even a process that could bypass the bits leaves it alone.
  if ((existing.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
    ThrowErrno(EACCES);
  }
  return true;
}

// Creates the temporary file beside `file`; a leftover of an earlier process
// with this process's number is stale and goes.
int CreateTemporary(const fs::path& file, fs::path& temporary) {
  temporary = file.parent_path() / TemporaryNameFor(file.filename().string(), ::getpid());
  for (int attempt = 0;; ++attempt) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST || attempt > 0 || ::unlink(temporary.c_str()) != 0) ThrowErrno(errno);
  }
}

// The replaced file's owner (where allowed) and permission bits; best effort.
void CopyOwnerAndMode(int fd, const struct stat& existing) {
  struct stat made {};
  if (::fstat(fd, &made) != 0) return;
  if (made.st_uid != existing.st_uid || made.st_gid != existing.st_gid) {
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
      [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    }
  }
  ::fchmod(fd, existing.st_mode & 07777);  // after chown, which may clear set-id bits
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

fs::path FinalTarget(const fs::path& target) {
  fs::path path = target;
  for (int hops = 0;; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) return path;
      ThrowErrno(errno);
    }
    if (!S_ISLNK(info.st_mode)) return path;
    if (hops == kMaxLinkHops) ThrowErrno(ELOOP);
    std::error_code error;
    const fs::path link = fs::read_symlink(path, error);
    if (error) ThrowErrno(error.value());
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
}

void CheckWritableTarget(const fs::path& target) {
  const fs::path file = FinalTarget(target);
  struct stat existing {};
  CheckReplaceable(file, existing);
  const fs::path folder = file.parent_path();
  if (::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0) ThrowErrno(errno);
}

StagedFile StageFile(const fs::path& target, std::string_view bytes) {
  const fs::path file = FinalTarget(target);
  struct stat existing {};
  const bool replacing = CheckReplaceable(file, existing);
  RemoveStaleTemporaries(file.parent_path(), file.filename().string());

  fs::path temporary;
  const int fd = CreateTemporary(file, temporary);
  if (replacing) CopyOwnerAndMode(fd, existing);

  int failure = WriteAll(fd, bytes);
  if (::close(fd) != 0 && errno != EINTR && failure == 0) failure = errno;
  if (failure != 0) {
    ::unlink(temporary.c_str());
    ThrowErrno(failure);
  }
  StagedFile staged;
  staged.target_ = file;
  staged.temporary_ = std::move(temporary);
  return staged;
}

StagedFile::~StagedFile() {
  Discard();
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::exchange(other.temporary_, {})) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
  if (this != &other) {
    Discard();
    target_ = std::move(other.target_);
    temporary_ = std::exchange(other.temporary_, {});
  }
  return *this;
}

void StagedFile::Discard() noexcept {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void StagedFile::Commit() {
  if (temporary_.empty()) return;
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const int failure = errno;
    Discard();
    ThrowErrno(failure);
  }
  temporary_.clear();
  SyncFolder(target_.parent_path());
}

void WriteFileAtomically(const fs::path& target, std::string_view bytes) {
  StageFile(target, bytes).Commit();
}

}  // namespace yobina
