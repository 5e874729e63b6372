// The installed font families behind the Japanese face names the program asks
// for, shared by the window and the printer.
#pragma once

#include <QString>
#include <string_view>

namespace yobina {

// The Mincho (serif) face: IPAMincho, else another installed Japanese face.
QString MinchoFamily();

// The Gothic (sans) face: IPAGothic, else another installed Japanese face.
QString GothicFamily();

// The family for a code page 932 face name: "ＭＳ 明朝" is the Mincho face,
// "ＭＳ ゴシック" the Gothic face; another name is used as it is when such a
// family is installed, else the Mincho face stands in.
QString FamilyForFaceName(std::string_view cp932FaceName);

}  // namespace yobina
