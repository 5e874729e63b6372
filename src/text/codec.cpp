#include "text/codec.h"

#include <iconv.h>

#include <algorithm>
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

// Characters that the code page holds only under another Unicode form, which a
// Japanese reader takes for the same character: typed as the first, they come
// back as the second. Any other change on the way back (U+00A5 YEN SIGN and
// U+203E OVERLINE become the bytes of "\" and "~") alters what was typed.
struct LookAlike {
  std::string_view typed;
  std::string_view returned;
};
constexpr std::array<LookAlike, 7> kLookAlikes{{
    {"\u301C", "\uFF5E"},  // wave dash, full-width tilde
    {"\u2212", "\uFF0D"},  // minus sign, full-width hyphen-minus
    {"\u2016", "\u2225"},  // double vertical line, parallel to
    {"\u2014", "\u2015"},  // em dash, horizontal bar
    {"\u00A2", "\uFFE0"},  // cent sign, full-width
    {"\u00A3", "\uFFE1"},  // pound sign, full-width
    {"\u00AC", "\uFFE2"},  // not sign, full-width
}};

// The text as it reads after a trip through the code page when nothing but the
// look-alikes changes.
std::string ExpectedRoundTrip(std::string_view utf8) {
  std::string expected;
  expected.reserve(utf8.size());
  while (!utf8.empty()) {
    const auto match = std::find_if(kLookAlikes.begin(), kLookAlikes.end(),
                                    [utf8](const LookAlike& pair) { return utf8.starts_with(pair.typed); });
    if (match != kLookAlikes.end()) {
      expected.append(match->returned);
      utf8.remove_prefix(match->typed.size());
    } else {
      expected.push_back(utf8.front());
      utf8.remove_prefix(1);
    }
  }
  return expected;
}

bool ReadsBackAsTyped(std::string_view utf8, std::string_view cp932) {
  Converter back("UTF-8", "CP932");
  std::string decoded;
  decoded.reserve(utf8.size());
  return back.Valid() && back.Convert(cp932, decoded) && decoded == ExpectedRoundTrip(utf8);
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  if (!converter.Valid()) return std::nullopt;
  std::string result;
  result.reserve(utf8.size());
  const std::string_view typed = utf8;
  if (!converter.Convert(utf8, result)) return std::nullopt;
  if (!ReadsBackAsTyped(typed, result)) return std::nullopt;
  return result;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
  // ASCII reads the same in both: the printers convert a character at a time.
  if (std::all_of(cp932.begin(), cp932.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(cp932);
  // Opening a descriptor costs more than most conversions; the code page has no shift states.
  thread_local Converter converter("UTF-8", "CP932");
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
