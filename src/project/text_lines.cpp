#include "project/text_lines.h"

#include <algorithm>

#include "file/encoding_check.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    if (text[at] == '\n' || text[at] == '\r') {
      lines.push_back(text.substr(start, at + 1 - start));
      start = at + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

LineKind KindOf(std::string_view line) {
  if (line.find('\0') != std::string_view::npos) return LineKind::Neither;
  if (std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return LineKind::Ascii;
  EncodingCheck check;
  check.Feed(line);
  if (check.IsValidUtf8()) return LineKind::Utf8;
  // Two-byte codes of the right shape that the code page leaves unassigned decode to U+FFFD.
  if (check.IsValidCp932() && Cp932ToUtf8(line).find(kReplacement) == std::string::npos)
    return LineKind::Cp932;
  return LineKind::Neither;
}

TextEncoding EncodingOf(const std::vector<LineKind>& kinds) {
  const auto utf8 = std::count(kinds.begin(), kinds.end(), LineKind::Utf8);
  const auto cp932 = std::count(kinds.begin(), kinds.end(), LineKind::Cp932);
  return cp932 > utf8 ? TextEncoding::Cp932 : TextEncoding::Utf8;
}

std::optional<std::string> MisfitReason(LineKind kind, TextEncoding encoding) {
  if (kind == LineKind::Neither)
    return Cp932("文字コードが UTF-8 でもシフトJIS(CP932)でもない文字があります。");
  if (kind == LineKind::Cp932 && encoding == TextEncoding::Utf8)
    return Cp932("この行はシフトJISで書かれていますが、ファイルの他の行は UTF-8 です。");
  if (kind == LineKind::Utf8 && encoding == TextEncoding::Cp932)
    return Cp932("この行は UTF-8 で書かれていますが、ファイルの他の行はシフトJISです。");
  return std::nullopt;
}

}  // namespace yobina
