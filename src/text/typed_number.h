// Typed numbers as an input method delivers them (full-width digits and
// signs) and as people write them (thousands separators).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yobina {

// Full-width digits ０-９ and the signs －, ＋, ．, ， become "0"-"9", "-",
// "+", ".", ","; every other character, one- or two-byte, is kept. Code page
// 932 in and out; each converted character is one character out, so positions
// counted in characters stay where they were.
std::string FoldFullWidthNumber(std::string_view text);

// A number typed or pasted into a number field or cell, made ready to read:
// full-width forms folded, and commas between groups of three digits of the
// whole part dropped ("1,250" and "１，２５０" read 1250). Nothing when the text
// holds no clean number: no digit in the number at its start ("abc", "-"),
// or a digit after it that reading would drop without a word ("1,25",
// "1 250"). Text after the number without a digit stays ("12mm"); blank
// text is clean and reads as zero. Code page 932 in and out.
std::optional<std::string> CleanTypedNumber(std::string_view text);

}  // namespace yobina
