#include "diagram/bar_block.h"

#include <algorithm>
#include <cmath>

#include "diagram/diagram_style.h"
#include "graph/graph_shapes.h"
#include "graph/graph_text.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

using namespace diagram;

double LabelWidth(const std::string& text) {
  return static_cast<double>(text.size()) * kLabelText.HalfPitch();
}

std::string StockText(const TJob& job, const TCutPattern& pattern) {
  return IntText(StockLengthOf(job, pattern), 0);
}

std::string CountText(const TCutPattern& pattern) {
  static const std::string kTimes = Cp932("× ");
  static const std::string kBars = Cp932("本");
  return kTimes + IntText(pattern.BarCount, 0) + kBars;
}

// What names a box: a word ("#3", "残") and a number ("2450", "150×18").
struct BoxName {
  std::string Word;
  std::string Number;
  std::string OneLine() const { return Word + " " + Number; }
};

std::string NumberText(double value) {
  return IntText(static_cast<int64_t>(std::clamp(value, -9e15, 9e15)), 0);
}

BoxName PieceName(int32_t cutRow, const std::string& number) {
  BoxName name{"#", number};
  name.Word += IntText(cutRow, 0);
  return name;
}

bool FitsIn(const std::string& label, double width) {
  return LabelWidth(label) + 2 * kLabelPad <= width;
}

// Names the box on one line or on two where either fits; false when neither does.
bool NameInside(TBarBox& box, const BoxName& name) {
  const double width = box.Right - box.Left;
  if (FitsIn(name.OneLine(), width)) {
    box.Label = name.OneLine();
  } else if (FitsIn(name.Word, width) && FitsIn(name.Number, width)) {
    box.Label = name.Word;
    box.SecondLine = name.Number;
  } else {
    return false;
  }
  return true;
}

TBarBox& AddBox(TBarBlock& block, double left, double right, int32_t cutRow) {
  TBarBox& box = block.Boxes.emplace_back();
  box.Left = left;
  box.Right = right;
  box.CutRow = cutRow;
  return box;
}

void AddOutsideLabel(TBarBlock& block, double left, double right, std::string text) {
  TLaneLabel& label = block.OutsideLabels.emplace_back();
  label.Anchor = (left + right) / 2;
  label.Width = LabelWidth(text);
  block.OutsideTexts.push_back(std::move(text));
}

void Frame(TGraphContext& gc, double left, double top, double right, double bottom, double width,
           uint32_t color) {
  G_Line(gc, left, top, right, top, width, color);
  G_Line(gc, right, top, right, bottom, width, color);
  G_Line(gc, right, bottom, left, bottom, width, color);
  G_Line(gc, left, bottom, left, top, width, color);
}

// "/" lines across the rectangle, on a grid fixed to the page so that every
// leftover's hatching lines up.
void Hatch(TGraphContext& gc, double left, double top, double right, double bottom) {
  const double height = bottom - top;
  const double first = std::floor((left - height) / kHatchSpacing) * kHatchSpacing;
  for (double t = first; t < right; t += kHatchSpacing) {
    // The line x = t + (bottom - y), clipped to the rectangle.
    const double from = std::max(0.0, left - t);
    const double to = std::min(height, right - t);
    if (from < to) G_Line(gc, t + from, bottom - from, t + to, bottom - to, kThinWidth, kHatchColor);
  }
}

double LaneTop(double barTop, int lane) {
  return barTop + kBarHeight + kLaneTopGap + lane * kLaneHeight;
}

}  // namespace

double TBarBlock::Height() const {
  const double lanes = Lanes > 0 ? kLaneTopGap + Lanes * kLaneHeight : 0;
  return kBarHeight + lanes + kBlockGap;
}

double LeftColumnWidth(const TJob& job, const TCutPattern& pattern) {
  return std::max(LabelWidth(StockText(job, pattern)), LabelWidth(CountText(pattern)));
}

TBarBlock LayoutBarBlock(const TJob& job, const TCutPattern& pattern, int32_t offcutMin, double scale,
                         double barLeft, double areaLeft, double areaRight) {
  const TBarGeometry bar = BarGeometryOf(job, pattern);
  const double kerf = std::max(0.0, static_cast<double>(job.Kerf));
  const auto at = [&](double x) { return barLeft + x * scale; };

  TBarBlock block;
  block.StockText = StockText(job, pattern);
  block.CountText = CountText(pattern);
  block.BarLeft = barLeft;
  block.BarRight = at(bar.Extent);
  for (const TPieceRun& run : bar.Runs) {
    const double length = std::max(0.0, static_cast<double>(run.Length));
    const std::string number = IntText(run.Length, 0);
    const std::string runNumber = run.Count == 1 ? number : number + Cp932("×") + IntText(run.Count, 0);
    if (run.Count == 1 || length * scale >= kMinPieceWidth) {
      // Every piece its own name, or the run one name under the bar.
      bool named = true;
      double x = run.Start;
      double runRight = at(x);
      // At most one box per kMinPieceWidth of the bar: the loop stays short.
      for (int32_t k = 0; k < run.Count; ++k) {
        runRight = at(x + length);
        TBarBox& box = AddBox(block, at(x), runRight, run.CutRow);
        named = NameInside(box, PieceName(run.CutRow, number));
        x = NextPieceStart(x, length, kerf, bar.BarLength);
      }
      if (!named) AddOutsideLabel(block, at(run.Start), runRight, PieceName(run.CutRow, runNumber).OneLine());
    } else {
      const double last = run.End <= bar.BarLength ? std::max(run.Start, run.End - kerf) : run.End;
      const BoxName name = PieceName(run.CutRow, runNumber);
      if (!NameInside(AddBox(block, at(run.Start), at(last), run.CutRow), name)) {
        AddOutsideLabel(block, at(run.Start), at(last), name.OneLine());
      }
    }
  }
  if (bar.CutsEnd < bar.BarLength) {
    const LeftoverKind kind = KindOfLeftover(bar.Leftover, offcutMin);
    const BoxName name{LeftoverWord(kind), NumberText(bar.Leftover)};
    TBarBox& box = AddBox(block, at(bar.CutsEnd), at(bar.BarLength), 0);
    box.Kind = kind;
    if (!NameInside(box, name)) AddOutsideLabel(block, box.Left, box.Right, name.OneLine());
  }
  block.Lanes = PlaceInLanes(block.OutsideLabels, areaLeft, areaRight, kLabelSpacing, kLeaderClearance);
  return block;
}

const std::string& LeftoverWord(LeftoverKind kind) {
  static const std::string kLeftover = Cp932("残");
  static const std::string kOffcut = Cp932("残材");
  static const std::string kScrap = Cp932("端材");
  switch (kind) {
    case LeftoverKind::Offcut:
      return kOffcut;
    case LeftoverKind::Scrap:
      return kScrap;
    default:
      return kLeftover;
  }
}

void DrawLeftoverBox(TGraphContext& gc, LeftoverKind kind, double left, double top, double right,
                     double bottom) {
  if (kind == LeftoverKind::Offcut) {
    G_FillRect(gc, left, top, right, bottom, kOffcutColor);
    Frame(gc, left, top, right, bottom, kOffcutOutlineWidth, kOutlineColor);
  } else {
    G_FillRect(gc, left, top, right, bottom, kLeftoverColor);
    Hatch(gc, left, top, right, bottom);
    Frame(gc, left, top, right, bottom, kOutlineWidth, kOutlineColor);
  }
}

void DrawBarBlock(TGraphContext& gc, const TBarBlock& block, double top, double columnRight) {
  const double bottom = top + kBarHeight;
  G_FillRect(gc, block.BarLeft, top, block.BarRight, bottom, kKerfColor);
  for (const TBarBox& box : block.Boxes) {
    if (box.CutRow == 0) {
      DrawLeftoverBox(gc, box.Kind, box.Left, top, box.Right, bottom);
    } else {
      G_FillRect(gc, box.Left, top, box.Right, bottom, CutRowColor(box.CutRow));
      Frame(gc, box.Left, top, box.Right, bottom, kOutlineWidth, kOutlineColor);
    }
  }
  Frame(gc, block.BarLeft, top, block.BarRight, bottom, kOutlineWidth, kOutlineColor);

  G_SetTextSize(gc, kLabelText.Height, kLabelText.Width, kLabelText.Gap);
  const auto drawInside = [&](const TBarBox& box, const std::string& text, double foot) {
    const double width = LabelWidth(text);
    const double left = (box.Left + box.Right - width) / 2;
    // Hatching would run through the digits.
    if (box.CutRow == 0 && box.Kind != LeftoverKind::Offcut) {
      G_FillRect(gc, left - kLabelPad / 2, foot - kLabelText.Height, left + width + kLabelPad / 2,
                 foot + kLabelPad / 2, kLeftoverColor);
    }
    G_Text(gc, text, left, foot);
  };
  for (const TBarBox& box : block.Boxes) {
    if (box.Label.empty()) continue;
    if (box.SecondLine.empty()) {
      drawInside(box, box.Label, top + (kBarHeight + kLabelText.Height) / 2);
    } else {
      const double lineGap = 0.5;
      const double firstFoot = top + (kBarHeight - lineGap) / 2;
      drawInside(box, box.Label, firstFoot);
      drawInside(box, box.SecondLine, firstFoot + lineGap + kLabelText.Height);
    }
  }
  for (size_t i = 0; i < block.OutsideLabels.size(); ++i) {
    const TLaneLabel& label = block.OutsideLabels[i];
    const double laneTop = LaneTop(top, label.Lane);
    // Straight down, ending just above its label, which spans it.
    G_Line(gc, label.Anchor, bottom, label.Anchor, laneTop + 0.3, kThinWidth, kLeaderColor);
    G_Text(gc, block.OutsideTexts[i], label.Left, laneTop + kLaneHeight - 0.6);
  }

  G_Text(gc, block.StockText, columnRight - LabelWidth(block.StockText), top + 3);
  G_Text(gc, block.CountText, columnRight - LabelWidth(block.CountText), top + 6.5);
}

}  // namespace yobina
