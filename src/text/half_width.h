// Full-width to half-width conversion and splitting of a line into fields,
// on code page 932 byte strings.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace yobina {

// True for a byte that starts a two-byte character (0x80-0x9F, 0xE0-0xFF).
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0x9F) || byte >= 0xE0;
}

// Full-width digits, Latin letters, common punctuation and katakana become
// their one-byte forms; everything else is kept. `kana` is reserved (pass 0).
std::string ToHalfWidth(std::string_view text, unsigned char kana = 0);

constexpr int kMaxFields = 64;
// fields[1..64]; slot 0 is unused. Separator: tab if the text holds one, else comma.
using FieldArray = std::array<std::string, kMaxFields + 1>;
void SplitFields(std::string_view text, FieldArray& fields);

}  // namespace yobina
