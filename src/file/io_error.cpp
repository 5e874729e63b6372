#include "file/io_error.h"

#include <cerrno>
#include <cstring>

namespace yobina {

std::string PlatformErrorText(int errorNumber) {
  if (errorNumber == ENOENT) return "ファイルが見つかりません";
  const char* text = std::strerror(errorNumber);
  return text != nullptr ? std::string(text) : "I/O error " + std::to_string(errorNumber);
}

}  // namespace yobina
