// Text pieces of the report: blanks, repetition, printf-like fixed-width
// numbers that never depend on the process locale, and texts cut to a byte
// count between two code page 932 characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace yobina {

// n blanks; none for n <= 0.
std::string Spaces(int32_t n);

// s written n times; empty for n <= 0, at most 255 copies.
std::string RepeatText(std::string_view s, int32_t n);

// Like "%<width>d".
std::string IntText(int64_t value, int width);

// Like "%<width>.<decimals>f" in the C locale: always a "." as decimal point.
std::string FixedText(double value, int width, int decimals);

// `text` when it has at most maxBytes bytes, else its longest head of at most
// maxBytes bytes that ends between two characters (never half a two-byte one).
std::string CutToBytes(std::string_view text, size_t maxBytes);

// `text` when it has at most maxBytes bytes, else cut by CutToBytes and closed
// by "…" (two bytes) within maxBytes; only cut when "…" itself has no room.
std::string CutWithEllipsis(std::string_view text, size_t maxBytes);

}  // namespace yobina
