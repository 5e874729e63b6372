#include "file/readable_name.h"

#include <cstdio>
#include <string_view>

#include "file/encoding_check.h"
#include "text/codec.h"

namespace yobina {
namespace {

std::string ReadablePart(std::string_view part) {
  EncodingCheck check;
  check.Feed(part);
  if (check.IsValidUtf8()) return std::string(part);
  if (check.IsValidCp932()) return Cp932ToUtf8(part);
  std::string escaped;
  for (const char c : part) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      escaped.push_back(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      escaped += hex;
    }
  }
  return escaped;
}

}  // namespace

std::string ReadableFileName(const std::filesystem::path& name) {
  const std::string& bytes = name.native();
  std::string readable;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = bytes.find('/', start);
    readable += ReadablePart(std::string_view(bytes).substr(start, slash - start));
    if (slash == std::string::npos) return readable;
    readable.push_back('/');
    start = slash + 1;
  }
}

}  // namespace yobina
