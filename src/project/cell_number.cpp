#include "project/cell_number.h"

#include <charconv>
#include <cmath>

#include "report/report_text.h"
#include "text/codec.h"
#include "text/typed_number.h"

namespace yobina {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::string_view blanks = " \t";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsBlank(std::string_view cell) {
  return Trimmed(FoldFullWidthNumber(cell)).empty();
}

std::string What(std::string_view whatUtf8) {
  return Utf8ToCp932(whatUtf8).value_or("?");
}

}  // namespace

std::optional<double> CellNumber(std::string_view cell) {
  const std::string folded = FoldFullWidthNumber(cell);
  std::string_view text = Trimmed(folded);
  if (text.starts_with('+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int32_t> WholeCell(std::string_view cell, std::string_view whatUtf8, int32_t least,
                                 int32_t most, std::string& reasons) {
  if (IsBlank(cell)) {
    reasons += What(whatUtf8) + Cp932("がありません。");
    return std::nullopt;
  }
  const std::optional<double> value = CellNumber(cell);
  if (!value) {
    reasons += What(whatUtf8) + QuotedCell(cell) + Cp932("が数値ではありません。");
  } else if (*value != std::floor(*value)) {
    reasons += What(whatUtf8) + QuotedCell(cell) + Cp932("が整数ではありません。");
  } else if (*value < least) {
    reasons +=
        What(whatUtf8) + QuotedCell(cell) + Cp932("は") + IntText(least, 0) + Cp932("以上にしてください。");
  } else if (*value > most) {
    reasons +=
        What(whatUtf8) + QuotedCell(cell) + Cp932("が大きすぎます(最大 ") + IntText(most, 0) + Cp932(")。");
  } else {
    return static_cast<int32_t>(*value);
  }
  return std::nullopt;
}

std::optional<double> OptionalAmountCell(std::string_view cell, std::string_view whatUtf8, bool zeroAllowed,
                                         std::string& reasons) {
  if (IsBlank(cell)) return std::nullopt;
  const std::optional<double> value = CellNumber(cell);
  if (!value) {
    reasons += What(whatUtf8) + QuotedCell(cell) + Cp932("が数値ではありません。");
  } else if (*value < 0 || (*value == 0 && !zeroAllowed)) {
    reasons += What(whatUtf8) + QuotedCell(cell) +
               Cp932(zeroAllowed ? "が負の値です。" : "が正の値ではありません。");
  } else if (*value > 1e12) {
    reasons += What(whatUtf8) + QuotedCell(cell) + Cp932("が大きすぎます。");
  } else {
    return value;
  }
  return std::nullopt;
}

std::string QuotedCell(std::string_view cell) {
  return Cp932("「") + CutWithEllipsis(cell, 24) + Cp932("」");
}

}  // namespace yobina
