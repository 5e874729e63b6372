#include "print/output_capture.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "file/io_error.h"

namespace yobina {

namespace {

// 0, or the errno of the failure.
int WriteAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

OutputCapture::OutputCapture(int sink) : sink_(sink) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) throw IoError(PlatformErrorText(errno));
  readEnd_ = ends[0];
  writeEnd_ = ends[1];
  reader_ = std::thread([this] {
    std::array<char, 64 * 1024> buffer;
    for (;;) {
      const ssize_t n = ::read(readEnd_, buffer.data(), buffer.size());
      if (n > 0 && sink_ >= 0) {
        // After a failure the rest is read and dropped, so that the writer ends.
        if (sinkError_ == 0) sinkError_ = WriteAll(sink_, buffer.data(), static_cast<std::size_t>(n));
      } else if (n > 0) {
        bytes_.append(buffer.data(), static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        return;
      }
    }
  });
}

OutputCapture::~OutputCapture() {
  Finish();
}

QString OutputCapture::Path() const {
  return QStringLiteral("/proc/self/fd/%1").arg(writeEnd_);
}

std::string OutputCapture::Finish() {
  CloseWriteEnd();
  if (reader_.joinable()) reader_.join();
  if (readEnd_ >= 0) ::close(readEnd_);
  readEnd_ = -1;
  return std::move(bytes_);
}

void OutputCapture::CloseWriteEnd() {
  if (writeEnd_ >= 0) ::close(writeEnd_);
  writeEnd_ = -1;
}

}  // namespace yobina
