#include "text/typed_number.h"

#include <algorithm>

#include "text/half_width.h"
#include "text/number_text.h"

namespace yobina {
namespace {

// The half-width form of a full-width number character, or 0.
char NumberCharacter(unsigned char lead, unsigned char trail) {
  if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));
  if (lead != 0x81) return 0;
  switch (trail) {
    case 0x7C:
      return '-';
    case 0x7B:
      return '+';
    case 0x44:
      return '.';
    case 0x43:
      return ',';
    default:
      return 0;
  }
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t DigitsFrom(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

// Drops the commas of "d,ddd,ddd": a run of one to three digits, then groups
// of a comma and exactly three digits, at the start of the whole part.
std::string WithoutSeparators(std::string text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const std::size_t lead = DigitsFrom(text, at);
  if (lead < 1 || lead > 3) return text;
  std::size_t end = at + lead;
  std::string kept = text.substr(0, end);
  while (end < text.size() && text[end] == ',' && DigitsFrom(text, end + 1) == 3) {
    kept.append(text, end + 1, 3);
    end += 4;
  }
  return kept + text.substr(end);
}

bool IsBlank(std::string_view text) {
  const std::string_view fullWidthSpace = "\x81\x40";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    if (text.substr(i, 2) != fullWidthSpace) return false;
    ++i;
  }
  return true;
}

}  // namespace

std::string FoldFullWidthNumber(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(lead) || i + 1 == text.size()) {
      folded += text[i];
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (const char half = NumberCharacter(lead, trail)) {
      folded += half;
    } else {
      folded += text.substr(i, 2);
    }
    ++i;
  }
  return folded;
}

std::optional<std::string> CleanTypedNumber(std::string_view text) {
  if (IsBlank(text)) return std::string(text);
  const std::string number = WithoutSeparators(FoldFullWidthNumber(text));
  const std::size_t end = NumberEnd(number);
  const std::string_view read = std::string_view(number).substr(0, end);
  const std::string_view rest = std::string_view(number).substr(end);
  if (std::none_of(read.begin(), read.end(), IsDigit) || std::any_of(rest.begin(), rest.end(), IsDigit)) {
    return std::nullopt;
  }
  return number;
}

}  // namespace yobina
