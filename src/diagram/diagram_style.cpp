#include "diagram/diagram_style.h"

#include <algorithm>
#include <array>

namespace yobina::diagram {

uint32_t CutRowColor(int32_t cutRow) {
  // Chosen from the light sRGB colours (relative luminance 0.40 or more, so
  // black text keeps a contrast of 9:1) with some colour in them (CIELAB
  // chroma 22 to 60), each the farthest (CIEDE2000) from those before it and
  // from white, the offcut grey, the hatching and the kerf: any two differ by
  // 9.5 or more, rows next in number (often side by side) by 15 or more.
  static constexpr std::array<uint32_t, kCutRowColorCount> kPalette = {
      Rgb(0x87C35A), Rgb(0xFF87D2), Rgb(0xFF965A), Rgb(0x00C3C3), Rgb(0x96A5FF), Rgb(0xFFE178), Rgb(0x96FFD2),
      Rgb(0x4BC3FF), Rgb(0xF0B4B4), Rgb(0xF0D2FF), Rgb(0xA5F0FF), Rgb(0xE1FFA5), Rgb(0xD2A55A), Rgb(0xC3C396),
      Rgb(0x00C387), Rgb(0xFFD2B4), Rgb(0x96C3A5), Rgb(0xD2A5FF), Rgb(0xC3D2FF), Rgb(0x00FFFF), Rgb(0xD2A5C3),
      Rgb(0xFF8787), Rgb(0xB4B44B), Rgb(0xFFF0C3), Rgb(0xD2A587), Rgb(0x00E1C3), Rgb(0x96F096), Rgb(0x1ED2F0),
      Rgb(0xB4A5D2), Rgb(0xFFB469), Rgb(0xC3E1B4), Rgb(0xFF96B4), Rgb(0x96E1D2), Rgb(0x78B4FF), Rgb(0xFFB4F0),
  };
  return kPalette[static_cast<size_t>((std::max(cutRow, 1) - 1) % kCutRowColorCount)];
}

}  // namespace yobina::diagram
