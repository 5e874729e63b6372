#include "project/header_columns.h"

#include <algorithm>
#include <string>

#include "text/codec.h"

namespace yobina {
namespace {

// Blanks (with the ideographic space) off both ends, ASCII letters in lower case.
std::string Normalised(std::string_view utf8) {
  constexpr std::string_view kWideSpace = "\u3000";
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    if (utf8.starts_with(' ') || utf8.starts_with('\t')) utf8.remove_prefix(1), trimmed = true;
    if (utf8.ends_with(' ') || utf8.ends_with('\t')) utf8.remove_suffix(1), trimmed = true;
    if (utf8.starts_with(kWideSpace)) utf8.remove_prefix(kWideSpace.size()), trimmed = true;
    if (utf8.ends_with(kWideSpace)) utf8.remove_suffix(kWideSpace.size()), trimmed = true;
  }
  std::string name(utf8);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return name;
}

std::string Quoted(std::string_view utf8) {
  return Cp932("「") + Utf8ToCp932(utf8).value_or("?") + Cp932("」");
}

std::string KnownNames(std::span<const KnownColumn> knownColumns) {
  std::string names;
  for (const KnownColumn& known : knownColumns) {
    for (const std::string_view name : known.Names) {
      if (name.empty()) continue;
      if (!names.empty()) names += Cp932("、");
      names += Utf8ToCp932(name).value_or("?");
    }
  }
  return names;
}

}  // namespace

std::vector<int32_t> FindColumns(const CsvRow& header, std::span<const KnownColumn> knownColumns,
                                 InputFile file, std::vector<LineIssue>& issues) {
  std::vector<int32_t> columns(knownColumns.size(), -1);
  std::vector<std::string> reasons;
  bool anyKnown = false;
  for (size_t c = 0; c < header.Cells.size(); ++c) {
    const std::string name = Normalised(Cp932ToUtf8(header.Cells[c]));
    if (name.empty()) continue;
    const auto known = std::find_if(knownColumns.begin(), knownColumns.end(), [&](const KnownColumn& s) {
      return std::find(s.Names.begin(), s.Names.end(), name) != s.Names.end();
    });
    if (known == knownColumns.end()) {
      reasons.push_back(Cp932("見出し") + Quoted(name) + Cp932("は知らない列名です。使える列名: ") +
                        KnownNames(knownColumns) + Cp932("。"));
      continue;
    }
    anyKnown = true;
    int32_t& column = columns[static_cast<size_t>(known - knownColumns.begin())];
    if (column >= 0) {
      reasons.push_back(Cp932("列") + Quoted(known->Names[0]) + Cp932("が二つあります。"));
      continue;
    }
    column = static_cast<int32_t>(c);
  }
  // A first row of data rather than names says nothing useful cell by cell.
  if (!anyKnown) {
    reasons = {Cp932("見出し行がありません。最初の行に列名(") + KnownNames(knownColumns) +
               Cp932(")を書いてください。")};
  }
  for (size_t s = 0; anyKnown && s < knownColumns.size(); ++s) {
    if (knownColumns[s].Required && columns[s] < 0)
      reasons.push_back(Cp932("列") + Quoted(knownColumns[s].Names[0]) + Cp932("がありません。"));
  }
  for (std::string& reason : reasons) issues.push_back({file, header.Line, std::move(reason), false});
  return columns;
}

std::string_view CellOf(const CsvRow& row, int32_t column) {
  if (column < 0 || static_cast<size_t>(column) >= row.Cells.size()) return {};
  return row.Cells[static_cast<size_t>(column)];
}

}  // namespace yobina
