#include "text/typed_number.h"

#include "text/half_width.h"

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

}  // namespace yobina
