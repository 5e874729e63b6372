// The lines of a text input of the project and the encoding they are in:
// UTF-8 (with or without a byte-order mark) or code page 932, found from the
// bytes, shared by the CSV inputs and the NC files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yobina {

enum class TextEncoding { Utf8, Cp932 };

enum class LineKind { Ascii, Utf8, Cp932, Neither };

// Lines end after LF, after CR LF, or after a CR not followed by LF; each keeps its end.
std::vector<std::string_view> SplitLines(std::string_view text);

LineKind KindOf(std::string_view line);

// Most non-ASCII lines decide; a file of ASCII alone reads the same either way.
TextEncoding EncodingOf(const std::vector<LineKind>& kinds);

// Why a line of `kind` cannot be read in a file of `encoding` (code page 932); none when it can.
std::optional<std::string> MisfitReason(LineKind kind, TextEncoding encoding);

}  // namespace yobina
