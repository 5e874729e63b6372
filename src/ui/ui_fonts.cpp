#include "ui/ui_fonts.h"

#include "print/japanese_faces.h"

namespace yobina {
namespace {

QFont PixelFont(const QString& family, int pixels, bool bold) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setKerning(false);  // keep the fixed pitch the report's tables rely on
  return font;
}

}  // namespace

QFont MinchoFont(int pixels, bool bold) {
  return PixelFont(MinchoFamily(), pixels, bold);
}

QFont GothicFont(int pixels, bool bold) {
  return PixelFont(GothicFamily(), pixels, bold);
}

}  // namespace yobina
