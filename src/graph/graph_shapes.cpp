#include "graph/graph_shapes.h"

#include <algorithm>
#include <cmath>

#include "text/numeric.h"

namespace yobina {
namespace {

constexpr double kFarDots = 1000000;

bool IsFar(const TDevicePoint& p) {
  return !(std::max(std::fabs(p.X), std::fabs(p.Y)) <= kFarDots);  // NaN too
}

}  // namespace

void G_FillRect(TGraphContext& gc, double x1, double y1, double x2, double y2, uint32_t colorRef) {
  if (!gc.IsPrinter || gc.Target == nullptr) return;
  const TDevicePoint a = G_WorldToDevice(gc, std::min(x1, x2), std::min(y1, y2));
  const TDevicePoint b = G_WorldToDevice(gc, std::max(x1, x2), std::max(y1, y2));
  if (IsFar(a) || IsFar(b)) return;
  gc.Target->FillRect(RealToIntClamped(a.X), RealToIntClamped(a.Y), RealToIntClamped(b.X),
                      RealToIntClamped(b.Y), colorRef);
}

void G_Line(TGraphContext& gc, double x1, double y1, double x2, double y2, double widthMm,
            uint32_t colorRef) {
  if (!gc.IsPrinter || gc.Target == nullptr) return;
  const TDevicePoint a = G_WorldToDevice(gc, x1, y1);
  const TDevicePoint b = G_WorldToDevice(gc, x2, y2);
  if (IsFar(a) || IsFar(b)) return;
  const int32_t width = std::max(1, RealToIntClamped(std::round(widthMm * gc.ScaleX)));
  gc.Target->DrawLine(RealToIntClamped(a.X), RealToIntClamped(a.Y), RealToIntClamped(b.X),
                      RealToIntClamped(b.Y), width, colorRef);
}

}  // namespace yobina
