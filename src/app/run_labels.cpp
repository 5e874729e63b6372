#include "app/run_labels.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "text/codec.h"
#include "text/half_width.h"
#include "text/number_text.h"

namespace yobina {
namespace {

constexpr int32_t kTrialsWithoutSelection = 10;

// printf's "%<width>.3f" without its dependence on LC_NUMERIC.
std::string FixedThreeDecimals(double value, size_t width = 7) {
  std::array<char, 400> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 3);
  std::string text = error == std::errc() ? std::string(buffer.data(), end) : std::string("?");
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::string FormatTrialLossLabel(double lossRate, int32_t trial) {
  return FixedThreeDecimals(lossRate) + " %  (" + std::to_string(trial) + ")";
}

std::string FormatBestLossLabel(double lossRate) {
  return FixedThreeDecimals(lossRate) + " %";
}

std::string FormatBoundLabel(double boundLossRate) {
  return Cp932("下限") + FixedThreeDecimals(boundLossRate, 6) + " %";
}

std::string FormatPlanLabel(double lossRate) {
  return Cp932("計画") + FixedThreeDecimals(lossRate, 6) + " %";
}

int32_t TrialCountOfCaption(std::string_view caption) {
  return std::max<int32_t>(TextToInt(ToHalfWidth(caption, 0)), 1);
}

int32_t TrialCountOf(const JobDocument& document) {
  const int index = document.TrialIndex;
  if (index < 0 || index >= static_cast<int>(kTrialCountElement.ItemsUtf8.size()))
    return kTrialsWithoutSelection;
  return TrialCountOfCaption(Cp932(kTrialCountElement.ItemsUtf8[static_cast<std::size_t>(index)]));
}

}  // namespace yobina
