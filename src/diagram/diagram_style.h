// Sizes (mm) and colours (0x00BBGGRR) of the cutting diagrams.
#pragma once

#include <cstdint>

namespace yobina::diagram {

// Text: a fixed pitch like the report's, so widths follow from byte counts.
struct TTextSize {
  double Height;
  double Width;  // a full-width character
  double Gap;
  double HalfPitch() const { return (Width + Gap) / 2; }  // one byte
};
inline constexpr TTextSize kHeaderText{3.6, 3.6, 0.7};
inline constexpr TTextSize kLabelText{2.5, 2.5, 0.4};

inline constexpr double kBarHeight = 7;
inline constexpr double kLaneHeight = 3.5;       // one row of labels under a bar
inline constexpr double kLaneTopGap = 1;         // between the bar and the first lane
inline constexpr double kBlockGap = 5;           // below each bar's block
inline constexpr double kLabelPad = 0.5;         // around a label inside a box
inline constexpr double kLabelSpacing = 1;       // between labels in a lane
inline constexpr double kLeaderClearance = 0.2;  // between a label and a leader passing it
inline constexpr double kMinPieceWidth = 1;      // narrower pieces are drawn as one box per run
inline constexpr double kHatchSpacing = 1.5;

inline constexpr double kRightMargin = 8;  // the page's x = 0 already lies 10 mm in
inline constexpr double kBottomMargin = 10;
inline constexpr double kHeaderTop = 4;
inline constexpr double kHeaderHeight = 22;

inline constexpr double kOutlineWidth = 0.15;
inline constexpr double kThinWidth = 0.1;

inline constexpr uint32_t kKerfColor = 0x404040;  // the bar's body, seen through the kerf gaps
inline constexpr uint32_t kOutlineColor = 0x202020;
// A leftover (offcuts off) and scrap: white, hatched. An offcut kept for later
// jobs: a solid light grey, like stock on the rack, with a heavier outline.
inline constexpr uint32_t kLeftoverColor = 0xFFFFFF;
inline constexpr uint32_t kHatchColor = 0x909090;
inline constexpr uint32_t kOffcutColor = 0xDCDCDC;
inline constexpr double kOffcutOutlineWidth = 0.35;
inline constexpr uint32_t kLeaderColor = 0x606060;
inline constexpr uint32_t kTextColor = 0;

// 0xRRGGBB as written in colour pickers, to the 0x00BBGGRR used here.
constexpr uint32_t Rgb(uint32_t rgb) {
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

// A light colour of its own for each of the 35 cut rows a job can have (row
// 36 would take row 1's again), clearly apart from every other row's and from
// the leftover, offcut, hatching and kerf tones. Black text stays legible on
// all of them.
inline constexpr int32_t kCutRowColorCount = 35;
uint32_t CutRowColor(int32_t cutRow);

}  // namespace yobina::diagram
