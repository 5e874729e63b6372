#include "text/codec.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace yobina {

namespace {

// One conversion descriptor for one call; closed on every path.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (Valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of the input as it can into `out`; returns false and
  // leaves `in` at the offending byte when the input cannot be converted.
  bool Convert(std::string_view& in, std::string& out) {
    std::array<char, 256> buffer{};
    while (!in.empty()) {
      char* inPtr = const_cast<char*>(in.data());
      std::size_t inLeft = in.size();
      char* outPtr = buffer.data();
      std::size_t outLeft = buffer.size();
      const std::size_t rc = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
      const int error = errno;
      out.append(buffer.data(), buffer.size() - outLeft);
      in.remove_prefix(in.size() - inLeft);
      if (rc == static_cast<std::size_t>(-1) && error != E2BIG) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  if (!converter.Valid()) return std::nullopt;
  std::string result;
  result.reserve(utf8.size());
  if (!converter.Convert(utf8, result)) return std::nullopt;
  return result;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
  Converter converter("UTF-8", "CP932");
  if (!converter.Valid()) {
    // Without the converter, keep ASCII and mark every other byte.
    std::string result;
    for (const char c : cp932) {
      if (static_cast<unsigned char>(c) < 0x80) {
        result += c;
      } else {
        result += kReplacement;
      }
    }
    return result;
  }
  std::string result;
  result.reserve(cp932.size() * 3 / 2);
  while (!converter.Convert(cp932, result)) {
    // Skip one byte only, so the next character is decoded if it can be.
    result += kReplacement;
    if (!cp932.empty()) cp932.remove_prefix(1);
  }
  return result;
}

std::string Cp932(std::string_view utf8Literal) {
  std::optional<std::string> converted = Utf8ToCp932(utf8Literal);
  if (!converted) {
    std::fprintf(stderr, "yobina: literal \"%.*s\" cannot be held in code page 932\n",
                 static_cast<int>(utf8Literal.size()), utf8Literal.data());
    std::abort();
  }
  return *std::move(converted);
}

}  // namespace yobina
