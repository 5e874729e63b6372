#include "project/csv_table.h"

#include <csv.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "file/encoding_check.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

enum class LineKind { Ascii, Utf8, Cp932, Neither };

// Lines end after LF, after CR LF, or after a CR not followed by LF.
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

// Most non-ASCII lines decide; a file of ASCII alone reads the same either way.
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

// libcsv fed line by line, so that every row knows the line it starts on.
class RowParser {
 public:
  RowParser(CsvTable& table, InputFile file) : table_(table), file_(file) { Init(); }
  ~RowParser() { csv_free(&parser_); }
  RowParser(const RowParser&) = delete;
  RowParser& operator=(const RowParser&) = delete;

  void Feed(std::string_view line, int32_t number) {
    if (atRowStart_ && line.find_first_not_of(" \t\r\n") != std::string_view::npos) {
      rowStart_ = number;
      atRowStart_ = false;
    }
    if (csv_parse(&parser_, line.data(), line.size(), &RowParser::OnField, &RowParser::OnRow, this) !=
        line.size()) {
      Fail(Cp932("引用符(\")の使い方が正しくありません。"));
    }
  }

  void Finish() {
    if (csv_fini(&parser_, &RowParser::OnField, &RowParser::OnRow, this) != 0)
      Fail(Cp932("引用符(\")が閉じていません。"));
  }

 private:
  void Init() {
    csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI);
    cells_.clear();
    atRowStart_ = true;
  }

  // The row being read is dropped and reading starts afresh on the next line.
  void Fail(std::string reason) {
    table_.Issues.push_back({file_, rowStart_, std::move(reason), true});
    csv_free(&parser_);
    Init();
  }

  static void OnField(void* data, size_t size, void* self) {
    auto& parser = *static_cast<RowParser*>(self);
    parser.cells_.emplace_back(data == nullptr ? "" : std::string(static_cast<const char*>(data), size));
  }

  static void OnRow(int, void* self) {
    auto& parser = *static_cast<RowParser*>(self);
    parser.EndRow();
  }

  void EndRow() {
    CsvRow row{rowStart_, std::move(cells_)};
    cells_.clear();
    atRowStart_ = true;
    if (std::all_of(row.Cells.begin(), row.Cells.end(), [](const std::string& c) { return c.empty(); }))
      return;
    // A name or mark over two lines would make a section or part of its own.
    if (std::any_of(row.Cells.begin(), row.Cells.end(),
                    [](const std::string& c) { return c.find_first_of("\r\n") != std::string::npos; })) {
      table_.Issues.push_back({file_, row.Line, Cp932("引用符(\")の中で改行しています。"), true});
      return;
    }
    if (table_.Encoding == TextEncoding::Utf8) {
      for (std::string& cell : row.Cells) {
        std::optional<std::string> converted = Utf8ToCp932(cell);
        if (!converted) {
          table_.Issues.push_back(
              {file_, row.Line, Cp932("シフトJIS(CP932)で表せない文字があります。"), true});
          return;
        }
        cell = std::move(*converted);
      }
    }
    table_.Rows.push_back(std::move(row));
  }

  CsvTable& table_;
  InputFile file_;
  csv_parser parser_{};
  std::vector<std::string> cells_;
  int32_t rowStart_ = 0;
  bool atRowStart_ = true;
};

}  // namespace

CsvTable ReadCsvTable(std::string_view bytes, InputFile file) {
  CsvTable table;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    table.Issues.push_back(
        {file, 0, Cp932("UTF-16 のファイルは読めません。UTF-8 かシフトJIS(CP932)で保存し直してください。"),
         false});
    return table;
  }
  const bool bom = bytes.starts_with(kUtf8Bom);
  if (bom) bytes.remove_prefix(kUtf8Bom.size());
  const std::vector<std::string_view> lines = SplitLines(bytes);
  std::vector<LineKind> kinds;
  kinds.reserve(lines.size());
  for (const std::string_view line : lines) kinds.push_back(KindOf(line));
  table.Encoding = bom ? TextEncoding::Utf8 : EncodingOf(kinds);

  RowParser parser(table, file);
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto number = static_cast<int32_t>(i + 1);
    if (std::optional<std::string> reason = MisfitReason(kinds[i], table.Encoding)) {
      table.Issues.push_back({file, number, std::move(*reason), true});
      continue;
    }
    parser.Feed(lines[i], number);
  }
  parser.Finish();
  std::stable_sort(table.Issues.begin(), table.Issues.end(),
                   [](const LineIssue& a, const LineIssue& b) { return a.Line < b.Line; });
  return table;
}

}  // namespace yobina
