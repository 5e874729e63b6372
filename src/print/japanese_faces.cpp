#include "print/japanese_faces.h"

#include <QFontDatabase>
#include <QStringList>

#include "text/codec.h"

namespace yobina {
namespace {

// The first installed family of `preferred`; else an installed Japanese face,
// fixed pitch first so that the report's columns still line up.
QString FirstInstalled(const QStringList& preferred) {
  for (const QString& family : preferred) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  for (const QString& family : japanese) {
    if (QFontDatabase::isFixedPitch(family)) return family;
  }
  if (!japanese.isEmpty()) return japanese.front();
  return preferred.front();  // let the font matcher substitute
}

}  // namespace

QString MinchoFamily() {
  return FirstInstalled({"IPAMincho", "IPAexMincho", "Noto Serif CJK JP", "IPAPMincho"});
}

QString GothicFamily() {
  return FirstInstalled({"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"});
}

QString FamilyForFaceName(std::string_view cp932FaceName) {
  const std::string mincho = Cp932("ＭＳ 明朝");
  const std::string gothic = Cp932("ＭＳ ゴシック");
  if (cp932FaceName == mincho) return MinchoFamily();
  if (cp932FaceName == gothic) return GothicFamily();
  const QString name = QString::fromStdString(Cp932ToUtf8(cp932FaceName));
  if (!name.isEmpty() && QFontDatabase::hasFamily(name)) return name;
  return MinchoFamily();
}

}  // namespace yobina
