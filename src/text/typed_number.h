// Typed numbers as an input method delivers them: full-width digits and signs.
#pragma once

#include <string>
#include <string_view>

namespace yobina {

// Full-width digits ０-９ and the signs －, ＋, ．, ， become "0"-"9", "-",
// "+", ".", ","; every other character, one- or two-byte, is kept. Code page
// 932 in and out; each converted character is one character out, so positions
// counted in characters stay where they were.
std::string FoldFullWidthNumber(std::string_view text);

}  // namespace yobina
