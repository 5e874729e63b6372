#include "graph/graph_context.h"

#include <utility>

#include "graph/graph_text.h"
#include "text/codec.h"
#include "text/numeric.h"

namespace yobina {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kOffsetXMm = 10;
constexpr double kOffsetYMm = 1;
constexpr uint8_t kShiftJisCharSet = 128;
constexpr int32_t kNormalWeight = 400;

void SetDefaultWindow(TGraphContext& gc) {
  const double pageWidthDots = static_cast<double>(gc.Target->PageWidthDots()) - gc.OffsetX;
  const double pageHeightDots = static_cast<double>(gc.Target->PageHeightDots()) - gc.OffsetY;
  double pageWidthMm = pageWidthDots / gc.DotsPerMm;
  double pageHeightMm = pageHeightDots / gc.DotsPerMm;
  if (pageWidthMm == 0) pageWidthMm = 1;
  if (pageHeightMm == 0) pageHeightMm = 1;

  gc.DeviceLeft = 0;
  gc.DeviceTop = 0;
  gc.DeviceRight = pageWidthDots;
  gc.DeviceBottom = pageHeightDots;
  gc.WindowLeft = 0;
  gc.WindowTop = 0;
  gc.WindowRight = pageWidthMm;
  gc.WindowBottom = pageHeightMm;
  gc.ScaleX = gc.DotsPerMm;
  gc.ScaleY = gc.DotsPerMm;
}

void SetDefaultFont(TGraphContext& gc) {
  static const std::string kGothic = Cp932("ＭＳ ゴシック");
  gc.LogFont = TLogFont{};
  gc.LogFont.Height = RealToIntClamped(gc.Dpi * 54 / 300);  // 0.18 inch
  gc.LogFont.Weight = kNormalWeight;
  gc.LogFont.CharSet = kShiftJisCharSet;
  G_SetFontName(gc, kGothic);
  gc.Target->SetTextColor(0);
  gc.Target->SetTransparentBackground();
}

}  // namespace

void G_Begin(TGraphContext& gc, PrintDevice& target) {
  gc.Target = &target;
  gc.TextLines = nullptr;
  gc.IsPrinter = true;
  target.BeginDocument();

  gc.Dpi = static_cast<double>(target.VerticalDpi());
  gc.DotsPerMm = gc.Dpi / kMmPerInch;
  gc.FontScale = 1.1;
  gc.OffsetX = RealToIntClamped(kOffsetXMm * gc.DotsPerMm);
  gc.OffsetY = RealToIntClamped(kOffsetYMm * gc.DotsPerMm);
  SetDefaultWindow(gc);

  SetDefaultFont(gc);
  G_SetTextColor(gc, 0);
  G_SetTextSize(gc, 4.5, 4.5, 0);
  G_SetTextAngle(gc, 0);
  // Sizes the font on the surface and marks the first page.
  G_Text(gc, " ", 10, 10);
}

void G_End(TGraphContext& gc) {
  if (gc.IsPrinter && gc.Target != nullptr) gc.Target->EndDocument();
}

void G_SetWindow(TGraphContext& gc, double x1, double y1, double x2, double y2) {
  if (!gc.IsPrinter || gc.Target == nullptr) return;
  if (x1 == x2 || y1 == y2) {
    SetDefaultWindow(gc);
    return;
  }
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  gc.WindowLeft = x1;
  gc.WindowTop = y1;
  gc.WindowRight = x2;
  gc.WindowBottom = y2;
  gc.ScaleX = (gc.DeviceRight - gc.DeviceLeft) / (x2 - x1);
  gc.ScaleY = (gc.DeviceBottom - gc.DeviceTop) / (y2 - y1);
}

TDevicePoint G_WorldToDevice(const TGraphContext& gc, double x, double y) {
  // With the default window this is exactly Offset + mm * DotsPerMm.
  return {gc.OffsetX + gc.DeviceLeft + (x - gc.WindowLeft) * gc.ScaleX,
          gc.OffsetY + gc.DeviceTop + (y - gc.WindowTop) * gc.ScaleY};
}

}  // namespace yobina
