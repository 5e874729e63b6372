#include "project/nc/dstv_block.h"

#include <optional>

#include "project/text_lines.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// "ST", "EN", "BO"...: two capitals in columns 1-2, nothing but blanks right after.
bool IsBlockStart(std::string_view line) {
  const auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
  return line.size() >= 2 && capital(line[0]) && capital(line[1]) && (line.size() == 2 || IsBlank(line[2]));
}

std::string At(size_t index) {
  return IntText(static_cast<int64_t>(index) + 1, 0) + Cp932("行目: ");
}

std::string NotDstv(const char* whyUtf8) {
  return Cp932("DSTV の NC ファイルではありません(") + Cp932(whyUtf8) + Cp932(")。");
}

}  // namespace

DstvBlock ReadStBlock(std::string_view bytes) {
  DstvBlock block;
  if (bytes.find('\0') != std::string_view::npos) {
    block.Fault = NotDstv("テキストではありません");
    return block;
  }
  const bool bom = bytes.starts_with(kUtf8Bom);
  if (bom) bytes.remove_prefix(kUtf8Bom.size());
  const std::vector<std::string_view> lines = SplitLines(bytes);
  std::vector<LineKind> kinds;
  kinds.reserve(lines.size());
  for (const std::string_view line : lines) kinds.push_back(KindOf(line));
  const TextEncoding encoding = bom ? TextEncoding::Utf8 : EncodingOf(kinds);

  bool inSt = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = WithoutLineEnd(lines[i]);
    if (line.starts_with("**")) continue;
    if (IsBlockStart(line)) {
      if (inSt) return block;  // the next block ends ST
      if (!line.starts_with("ST")) {
        block.Fault = NotDstv("最初のブロックが ST ではありません");
        return block;
      }
      inSt = true;
      continue;
    }
    if (!inSt) {
      if (Trimmed(line).empty()) continue;
      block.Fault = NotDstv("ST ブロックの前に読めない行があります");
      return block;
    }
    if (!line.empty() && !IsBlank(line.front())) {
      block.Fault = At(i) + Cp932("ST ブロックのデータ行が空白で始まっていません。");
      return block;
    }
    if (std::optional<std::string> reason = MisfitReason(kinds[i], encoding)) {
      block.Fault = At(i) + *reason;
      return block;
    }
    const std::string_view value = Trimmed(line);
    if (encoding == TextEncoding::Cp932) {
      block.Fields.emplace_back(value);
      continue;
    }
    std::optional<std::string> converted = Utf8ToCp932(value);
    if (!converted) {
      block.Fault = At(i) + Cp932("シフトJIS(CP932)で表せない文字があります。");
      return block;
    }
    block.Fields.push_back(std::move(*converted));
  }
  if (!inSt) block.Fault = NotDstv("ST ブロックがありません");
  return block;
}

}  // namespace yobina
