// The one converter between UTF-8 and code page 932. Everything inside the core
// is code page 932; UTF-8 appears only at the edges (widgets, terminal, literals).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yobina {

// std::nullopt when the text holds a character code page 932 cannot hold, or
// one that would read back as another character (¥ as "\", ‾ as "~"), or is
// not valid UTF-8: callers refuse such text rather than change it. The wave
// dash, minus sign, double vertical line, em dash, cent, pound and not signs
// are taken, and read back as the code page's forms of them (～ － ∥ ― ￠ ￡ ￢).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// Undecodable bytes become U+FFFD; never fails.
std::string Cp932ToUtf8(std::string_view cp932);

// For source literals known to be representable; aborts on a programming error.
std::string Cp932(std::string_view utf8Literal);

}  // namespace yobina
