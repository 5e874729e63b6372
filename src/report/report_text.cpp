#include "report/report_text.h"

#include <array>
#include <charconv>

#include "text/codec.h"
#include "text/half_width.h"

namespace yobina {
namespace {

constexpr int32_t kMaxRepeat = 255;

std::string PadLeft(std::string_view text, int width) {
  std::string result;
  if (width > 0 && text.size() < static_cast<size_t>(width)) result.assign(width - text.size(), ' ');
  result += text;
  return result;
}

}  // namespace

std::string Spaces(int32_t n) {
  return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string();
}

std::string RepeatText(std::string_view s, int32_t n) {
  if (n > kMaxRepeat) n = kMaxRepeat;
  std::string result;
  if (n <= 0) return result;
  result.reserve(s.size() * static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) result += s;
  return result;
}

std::string IntText(int64_t value, int width) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  (void)ec;  // 32 bytes hold any 64-bit integer
  return PadLeft(std::string_view(buffer.data(), static_cast<size_t>(end - buffer.data())), width);
}

std::string FixedText(double value, int width, int decimals) {
  // The largest double in fixed notation takes 309 digits before the point.
  std::array<char, 400> buffer{};
  const auto [end, ec] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return PadLeft("?", width);
  return PadLeft(std::string_view(buffer.data(), static_cast<size_t>(end - buffer.data())), width);
}

std::string CutToBytes(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  size_t end = 0;
  while (end < text.size()) {
    const size_t next = end + (IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
    if (next > maxBytes) break;
    end = next;
  }
  return std::string(text.substr(0, end));
}

std::string CutWithEllipsis(std::string_view text, size_t maxBytes) {
  static const std::string kEllipsis = Cp932("…");
  if (text.size() <= maxBytes) return std::string(text);
  if (maxBytes < kEllipsis.size()) return CutToBytes(text, maxBytes);
  return CutToBytes(text, maxBytes - kEllipsis.size()) + kEllipsis;
}

}  // namespace yobina
