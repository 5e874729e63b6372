#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "file/data_file.h"
#include "file/data_file_parser.h"
#include "file/encoding_check.h"
#include "file/io_error.h"
#include "file/memory_input_page.h"

namespace yobina {
namespace {

[[noreturn]] void ThrowErrno(int errorNumber) {
  throw IoError(PlatformErrorText(errorNumber));
}

// A FIFO or a device is refused at once, before opening it could wait or act.
void CheckRegularFile(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) ThrowErrno(errno);
  if (S_ISDIR(info.st_mode)) ThrowErrno(EISDIR);
  if (!S_ISREG(info.st_mode)) throw IoError(std::string(kNotRegularFileText));
}

class ReadOnlyFile {
 public:
  // Checked again once open: the name may have changed hands in between.
  explicit ReadOnlyFile(const std::filesystem::path& path) {
    CheckRegularFile(path);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) ThrowErrno(errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) Fail(errno);
    if (S_ISDIR(info.st_mode)) Fail(EISDIR);
    if (!S_ISREG(info.st_mode)) {
      ::close(fd_);
      throw IoError(std::string(kNotRegularFileText));
    }
  }
  ~ReadOnlyFile() { ::close(fd_); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Bytes read into `buffer`; 0 at the end of the file.
  std::size_t Read(char* buffer, std::size_t size) {
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) ThrowErrno(errno);
    }
  }

  void Rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) ThrowErrno(errno);
  }

 private:
  [[noreturn]] void Fail(int errorNumber) {
    ::close(fd_);
    ThrowErrno(errorNumber);
  }

  int fd_ = -1;
};

using Buffer = std::array<char, 64 * 1024>;

void ThrowFault(const DataFileParser& parser) {
  if (!parser.Fault().empty()) throw IoError(parser.Fault());
}

// A first reading, on a page of its own: the file's encoding, and whether its
// rows can all be taken, so that a refused file changes nothing on the page.
void CheckFile(ReadOnlyFile& input, Buffer& buffer) {
  EncodingCheck encoding;
  MemoryInputPage scratch;
  DataFileParser rows(scratch);
  for (;;) {
    const std::size_t n = input.Read(buffer.data(), buffer.size());
    if (n == 0) break;
    const std::string_view bytes(buffer.data(), n);
    if (!encoding.Decided()) encoding.Feed(bytes);
    rows.Feed(bytes);
    if (encoding.Decided() && (rows.Rejected() || !rows.Fault().empty())) break;
  }
  if (encoding.IsUtf8Only()) throw IoError(std::string(kUtf8JobFileText));
  rows.Finish();
  ThrowFault(rows);
}

}  // namespace

LoadResult LoadDataFile(InputPage& page, const std::filesystem::path& file) {
  ReadOnlyFile input(file);
  Buffer buffer;
  CheckFile(input, buffer);
  input.Rewind();
  DataFileParser parser(page);
  for (;;) {
    const std::size_t n = input.Read(buffer.data(), buffer.size());
    if (n == 0) break;
    parser.Feed(std::string_view(buffer.data(), n));
    if (parser.Rejected()) break;  // the rest of a file of another kind is of no use
  }
  return parser.Finish();
}

LoadResult LoadDataFileFromBytes(InputPage& page, std::string_view bytes) {
  {
    MemoryInputPage scratch;
    DataFileParser rows(scratch);
    rows.Feed(bytes);
    rows.Finish();
    ThrowFault(rows);
  }
  DataFileParser parser(page);
  parser.Feed(bytes);
  return parser.Finish();
}

}  // namespace yobina
