// The window's fonts: the Mincho and Gothic faces sized in pixels, as the
// layout gives them.
#pragma once

#include <QFont>

namespace yobina {

QFont MinchoFont(int pixels, bool bold = false);
QFont GothicFont(int pixels, bool bold = false);

}  // namespace yobina
