#include "cli/terminal_text.h"

namespace yobina {

std::string WithoutControlCharacters(std::string_view text, OutputEncoding encoding) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    // U+0080..U+009F; in code page 932 these bytes lead two-byte characters.
    const bool c1 = encoding == OutputEncoding::Utf8 && byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c1) {
      shown.push_back('?');
      ++i;
    } else {
      // Control bytes never occur inside a multi-byte character of either encoding.
      shown.push_back(byte < 0x20 || byte == 0x7F ? '?' : text[i]);
    }
  }
  return shown;
}

}  // namespace yobina
