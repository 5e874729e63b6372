#include "graph/graph_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "text/half_width.h"
#include "text/numeric.h"

namespace yobina {
namespace {

constexpr double kMaxFontDots = 5120;
constexpr double kFarDots = 1000000;

// Round half to even, independent of the floating-point rounding mode.
int32_t FontDots(double dots) {
  if (!(dots >= 1)) dots = 1;  // NaN too
  if (dots > kMaxFontDots) dots = kMaxFontDots;
  double whole = std::floor(dots);
  const double fraction = dots - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2) != 0)) whole += 1;
  return static_cast<int32_t>(whole);
}

}  // namespace

void G_SetFontName(TGraphContext& gc, std::string_view faceName) {
  constexpr size_t kMaxFaceBytes = sizeof(gc.LogFont.FaceName) - 1;
  const size_t n = std::min(faceName.size(), kMaxFaceBytes);
  std::fill(std::begin(gc.LogFont.FaceName), std::end(gc.LogFont.FaceName), '\0');
  std::copy_n(faceName.data(), n, gc.LogFont.FaceName);
  if (gc.IsPrinter && gc.Target != nullptr) gc.Target->SelectFont(gc.LogFont);
}

void G_SetTextSize(TGraphContext& gc, double height, double width, double gap) {
  gc.CharHeight = height;
  gc.CharWidth = width;
  gc.CharGap = gap;
}

void G_SetTextAngle(TGraphContext& gc, double radians) {
  gc.TextAngle = radians;
}

void G_SetTextColor(TGraphContext& gc, uint32_t colorRef) {
  if (!gc.IsPrinter || gc.Target == nullptr) return;
  gc.Target->SetTransparentBackground();
  gc.Target->SetTextColor(colorRef);
}

void G_ApplyFont(TGraphContext& gc, double height, double width, double angle) {
  gc.LogFont.Height = FontDots(gc.FontScale * height);
  // The device's width is that of a one-byte character.
  gc.LogFont.Width = FontDots(gc.FontScale * width / 2);
  gc.LogFont.Escapement = RealToIntClamped(angle * 180 / std::numbers::pi * 10);
  if (gc.IsPrinter && gc.Target != nullptr) gc.Target->SelectFont(gc.LogFont);
}

void G_Text(TGraphContext& gc, std::string_view text, double x, double y) {
  if (!gc.IsPrinter || gc.Target == nullptr) return;
  const double h = gc.CharHeight * gc.ScaleX;
  const double w = gc.CharWidth * gc.ScaleX;
  const double g = gc.CharGap * gc.ScaleX;
  const double angle = gc.TextAngle;

  TDevicePoint at = G_WorldToDevice(gc, x, y);
  if (std::max(std::fabs(at.X), std::fabs(at.Y)) > kFarDots) return;

  // From the foot of the character to the top-left of its cell.
  at.X = at.X + std::cos(angle + std::numbers::pi / 2) * h;
  at.Y = at.Y - std::sin(angle + std::numbers::pi / 2) * h;
  G_ApplyFont(gc, h, w, angle);

  const double cosAngle = std::cos(angle);
  const double sinAngle = std::sin(angle);
  bool trailPending = false;
  std::string character;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (trailPending || byte == 0) {
      trailPending = false;
      continue;
    }
    double advance = 0;
    if (IsLeadByte(byte)) {
      // A lead byte without its trail byte is half a character: nothing to draw.
      if (i + 1 == text.size()) break;
      character.assign(text.substr(i, 2));
      trailPending = true;
      advance = w + g;
    } else {
      character.assign(1, text[i]);
      advance = w / 2 + g / 2;
    }
    gc.Target->DrawText(RealToIntClamped(at.X), RealToIntClamped(at.Y), character);
    at.X = at.X + cosAngle * advance;
    at.Y = at.Y - sinAngle * advance;
  }
}

}  // namespace yobina
