#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "file/data_file.h"
#include "file/data_file_parser.h"
#include "file/io_error.h"

namespace yobina {
namespace {

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::filesystem::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) throw IoError(PlatformErrorText(errno));
  }
  ~ReadOnlyFile() { ::close(fd_); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Bytes read into `buffer`; 0 at the end of the file.
  std::size_t Read(char* buffer, std::size_t size) {
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) throw IoError(PlatformErrorText(errno));
    }
  }

 private:
  int fd_;
};

}  // namespace

LoadResult LoadDataFile(InputPage& page, const std::filesystem::path& file) {
  ReadOnlyFile input(file);
  DataFileParser parser(page);
  std::array<char, 64 * 1024> buffer;
  for (;;) {
    const std::size_t n = input.Read(buffer.data(), buffer.size());
    if (n == 0) break;
    parser.Feed(std::string_view(buffer.data(), n));
    if (parser.Rejected()) break;  // the rest of a file of another kind is of no use
  }
  return parser.Finish();
}

LoadResult LoadDataFileFromBytes(InputPage& page, std::string_view bytes) {
  DataFileParser parser(page);
  parser.Feed(bytes);
  return parser.Finish();
}

}  // namespace yobina
