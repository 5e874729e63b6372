#include "inventory/stored_text.h"

#include <algorithm>

#include "text/codec.h"

namespace yobina {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Bytes of the UTF-8 sequence a lead byte starts; 1 for a stray byte.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::optional<std::string> StoredSection(std::string_view cp932) {
  std::string utf8 = Cp932ToUtf8(cp932);
  if (utf8.find(kReplacementCharacter) != std::string::npos) return std::nullopt;
  return utf8;
}

std::string StoredText(std::string_view cp932) {
  return Cp932ToUtf8(cp932);
}

std::string ShownText(std::string_view utf8) {
  if (std::optional<std::string> whole = Utf8ToCp932(utf8)) return *whole;
  std::string shown;
  while (!utf8.empty()) {
    const std::size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(utf8.front())), utf8.size());
    const std::optional<std::string> character = Utf8ToCp932(utf8.substr(0, length));
    shown += character ? *character : "?";
    utf8.remove_prefix(length);
  }
  return shown;
}

}  // namespace yobina
