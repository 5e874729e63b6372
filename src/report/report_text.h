// Text pieces of the report: blanks, repetition and printf-like fixed-width
// numbers that never depend on the process locale.
#pragma once

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

}  // namespace yobina
