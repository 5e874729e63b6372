#include "diagram/diagram_style.h"

#include <algorithm>
#include <cmath>

namespace yobina::diagram {

uint32_t CutRowColor(int32_t cutRow) {
  constexpr double kGoldenAngle = 137.507764;
  // Every third row a paler or a stronger tone, so rows whose hues come round
  // again still differ.
  constexpr double kSaturations[] = {0.38, 0.22, 0.55};
  constexpr double kValue = 0.97;
  const double saturation = kSaturations[(std::max(cutRow, 1) - 1) % 3];
  const double hue = std::fmod((std::max(cutRow, 1) - 1) * kGoldenAngle, 360.0) / 60;  // 0 .. 6
  const double chroma = kValue * saturation;
  const double second = chroma * (1 - std::fabs(std::fmod(hue, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hue)) {
    case 0:
      r = chroma, g = second;
      break;
    case 1:
      r = second, g = chroma;
      break;
    case 2:
      g = chroma, b = second;
      break;
    case 3:
      g = second, b = chroma;
      break;
    case 4:
      r = second, b = chroma;
      break;
    default:
      r = chroma, b = second;
      break;
  }
  const double lift = kValue - chroma;
  const auto channel = [&](double c) { return static_cast<uint32_t>(std::lround((c + lift) * 255)); };
  return channel(r) | channel(g) << 8 | channel(b) << 16;
}

}  // namespace yobina::diagram
