#include "project/csv_table.h"

#include <csv.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "text/codec.h"

namespace yobina {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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
