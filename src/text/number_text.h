// Lenient number parsing and fixed-width formatting of the numbers a user types.
// All texts are code page 932 byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace yobina {

// The longest number at the start of the text (after leading one-byte blanks);
// 0 for text that holds no number. Never fails.
double TextToReal(std::string_view text);

// TextToReal truncated toward zero, saturated to -2147483647 .. 2147483647.
int32_t TextToInt(std::string_view text);

// Where the number TextToReal reads ends: the index just past it, or 0 when
// the text holds none at its start.
std::size_t NumberEnd(std::string_view text);

// How a number is written: right-aligned to at least Width characters, with
// Decimals digits after the point.
struct NumberFormat {
  int Width = 0;
  int Decimals = 0;
  // The packed form the formatting functions take: width * 10 + decimals.
  constexpr int32_t Code() const { return Width * 10 + Decimals; }
  constexpr bool operator==(const NumberFormat&) const = default;
};

// A field or column of text, which is never rewritten as a number.
inline constexpr NumberFormat kPlainText{0, 0};

// Format code c: width c / 10 (at most 20), decimals c % 10. The value in fixed
// point, right-aligned to at least the width, cut to 32 characters.
std::string RealToText(int32_t formatCode, double value);

// RealToText, or the empty text when the formatted text reads as zero.
std::string RealToTextBlankZero(int32_t formatCode, double value);

// RealToText, or as many blanks as the field is wide when it reads as zero.
std::string RealToTextSpaceZero(int32_t formatCode, double value);

inline std::string RealToText(NumberFormat format, double value) {
  return RealToText(format.Code(), value);
}
inline std::string RealToTextBlankZero(NumberFormat format, double value) {
  return RealToTextBlankZero(format.Code(), value);
}
inline std::string RealToTextSpaceZero(NumberFormat format, double value) {
  return RealToTextSpaceZero(format.Code(), value);
}

}  // namespace yobina
