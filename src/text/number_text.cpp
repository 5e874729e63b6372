#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>

#include "text/numeric.h"

namespace yobina {

namespace {

constexpr std::size_t kMaxNumberChars = 32;
constexpr std::size_t kMaxFormattedChars = 32;
constexpr int32_t kMaxFieldWidth = 20;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The collected characters of a number, at most 32 of them; more are dropped.
class NumberBuffer {
 public:
  void Add(char c) {
    if (size_ < chars_.size()) chars_[size_++] = c;
  }
  bool Contains(char c) const {
    return std::find(chars_.begin(), chars_.begin() + size_, c) != chars_.begin() + size_;
  }
  std::string_view View() const { return {chars_.data(), size_}; }

 private:
  std::array<char, kMaxNumberChars> chars_{};
  std::size_t size_ = 0;
};

// Converts the collected number; anything not wholly a number (a lone sign,
// a cut-off exponent, an out-of-range value) reads as 0.
double ConvertCollected(std::string_view number) {
  // from_chars takes neither a leading '+' nor, portably, a point without a digit before it.
  std::array<char, kMaxNumberChars + 2> text{};
  std::size_t size = 0;
  std::size_t pos = 0;
  if (pos < number.size() && (number[pos] == '+' || number[pos] == '-')) {
    if (number[pos] == '-') text[size++] = '-';
    ++pos;
  }
  if (pos < number.size() && number[pos] == '.') text[size++] = '0';
  for (; pos < number.size(); ++pos) text[size++] = number[pos];
  if (size == 0 || (size == 1 && text[0] == '-')) return 0.0;

  double value = 0.0;
  const char* end = text.data() + size;
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end) return 0.0;
  return value;
}

// Reads the number at the start of the text as TextToReal takes it: its
// characters into `number`; returns the index just past it, 0 without one.
std::size_t ScanNumber(std::string_view text, NumberBuffer& number) {
  // Past the end of the text every character reads as the end mark ';'.
  const auto at = [text](std::size_t i) { return i < text.size() ? text[i] : ';'; };

  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;

  const char first = at(i);
  if (first != '+' && first != '-' && first != '.' && !IsDigit(first)) return 0;

  if (first == '.') number.Add('0');
  number.Add(first);

  for (++i; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      number.Add(c);
    } else if (!number.Contains('.')) {
      if (c != '.') break;
      number.Add(c);
    } else {
      // An exponent counts only after a point, and only with its sign and a digit.
      const bool exponent =
          (c == 'E' || c == 'e') && (at(i + 1) == '+' || at(i + 1) == '-') && IsDigit(at(i + 2));
      if (!exponent) break;
      number.Add(c);
      number.Add(at(i + 1));
      number.Add(at(i + 2));
      std::size_t k = i + 3;
      for (; k < i + 5 && IsDigit(at(k)); ++k) number.Add(at(k));
      return k;
    }
  }
  return i;
}

}  // namespace

double TextToReal(std::string_view text) {
  NumberBuffer number;
  ScanNumber(text, number);
  return ConvertCollected(number.View());
}

std::size_t NumberEnd(std::string_view text) {
  NumberBuffer number;
  return ScanNumber(text, number);
}

int32_t TextToInt(std::string_view text) {
  // Truncation toward zero, saturated: a magnitude below 1 gives 0 either way.
  return RealToIntClamped(TextToReal(text));
}

std::string RealToText(int32_t formatCode, double value) {
  // Negative codes are not in use; they format as width 0, no decimals.
  const int32_t width = std::clamp(formatCode / 10, int32_t{0}, kMaxFieldWidth);
  const int decimals = static_cast<int>(std::max(formatCode % 10, int32_t{0}));

  // to_chars is locale-independent and rounds the exact binary value correctly;
  // an exact tie (2.5 with no decimals) goes to the even digit, as printf does.
  std::array<char, 400> digits{};
  const auto [ptr, ec] =
      std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, decimals);
  const std::size_t length = ec == std::errc() ? static_cast<std::size_t>(ptr - digits.data()) : 0;

  std::string result;
  const std::size_t padding =
      static_cast<std::size_t>(width) > length ? static_cast<std::size_t>(width) - length : 0;
  result.reserve(std::min(padding + length, kMaxFormattedChars));
  result.append(padding, ' ');
  result.append(digits.data(), length);
  if (result.size() > kMaxFormattedChars) result.resize(kMaxFormattedChars);
  return result;
}

std::string RealToTextBlankZero(int32_t formatCode, double value) {
  std::string text = RealToText(formatCode, value);
  if (TextToReal(text) == 0.0) text.clear();
  return text;
}

std::string RealToTextSpaceZero(int32_t formatCode, double value) {
  std::string text = RealToText(formatCode, value);
  if (TextToReal(text) == 0.0) {
    const int32_t width = std::clamp(formatCode / 10, int32_t{0}, static_cast<int32_t>(kMaxFormattedChars));
    text.assign(static_cast<std::size_t>(width), ' ');
  }
  return text;
}

}  // namespace yobina
