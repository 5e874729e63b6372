#include "project/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file/io_error.h"

namespace yobina {
namespace {

[[noreturn]] void Fail(int errorNumber) {
  throw IoError(PlatformErrorText(errorNumber));
}

class OpenFile {
 public:
  // Opened without blocking, so that a FIFO is refused rather than waited on.
  explicit OpenFile(const std::filesystem::path& file)
      : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)) {
    if (fd_ < 0) Fail(errno);
  }
  ~OpenFile() { ::close(fd_); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int Fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::string ReadInputFile(const std::filesystem::path& file) {
  const OpenFile input(file);
  struct stat info {};
  if (::fstat(input.Fd(), &info) != 0) Fail(errno);
  if (S_ISDIR(info.st_mode)) Fail(EISDIR);
  if (!S_ISREG(info.st_mode)) throw IoError(std::string(kNotRegularFileText));
  if (static_cast<std::uintmax_t>(info.st_size) > kMostInputBytes) Fail(EFBIG);
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(input.Fd(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
    if (bytes.size() > kMostInputBytes) Fail(EFBIG);
  }
  return bytes;
}

}  // namespace yobina
