// The recorded calls of a diagram print regrouped as what a reader sees: bars
// with their boxes, and labels as whole texts with their extent in dots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/recording_print_device.h"

namespace yobina::test {

struct Rect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
};

struct DrawnBar {
  int32_t Page = 0;
  Rect Body;                // the whole bar, dark where the kerfs are
  std::vector<Rect> Boxes;  // pieces and the leftover, as drawn over the body
  std::vector<uint32_t> BoxColors;
  std::vector<RecordedCall> Calls;  // everything from the body to the next bar or page
};

struct DrawnLabel {
  int32_t Page = 0;
  Rect Cell;         // union of the character cells
  std::string Text;  // code page 932
};

std::vector<DrawnBar> BarsOf(const RecordingPrintDevice& device, uint32_t bodyColor);
// The characters of one text call (drawn one by one, with no other call
// between them) form one label.
// Blank labels are left out.
std::vector<DrawnLabel> LabelsOf(const RecordingPrintDevice& device);

}  // namespace yobina::test
