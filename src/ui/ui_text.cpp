#include "ui/ui_text.h"

#include <QFile>
#include <QList>

#include "text/codec.h"

namespace yobina {

QString ToQString(std::string_view cp932) {
  return QString::fromStdString(Cp932ToUtf8(cp932));
}

std::string ToCp932(const QString& text) {
  if (auto whole = Utf8ToCp932(text.toStdString())) return *std::move(whole);
  std::string bytes;
  for (const uint codePoint : text.toUcs4()) {
    const char32_t character = codePoint;
    const auto one = Utf8ToCp932(QString::fromUcs4(&character, 1).toStdString());
    bytes += one ? *one : std::string("?");
  }
  return bytes;
}

bool FitsCp932(const QString& text, int* byteCount) {
  const auto bytes = Utf8ToCp932(text.toStdString());
  if (byteCount) *byteCount = bytes ? static_cast<int>(bytes->size()) : 0;
  return bytes.has_value();
}

bool IsStorableCharacter(const QString& character, int* byteCount) {
  if (byteCount) *byteCount = 0;
  if (character.isEmpty()) return false;
  const char16_t first = character[0].unicode();
  if (first < 0x20 || first == 0x7F) return false;
  return FitsCp932(character, byteCount);
}

QString KeepStorableCharacters(const QString& text, bool* dropped) {
  QString kept;
  kept.reserve(text.size());
  bool any = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QString one = text.mid(i, text[i].isHighSurrogate() ? 2 : 1);
    i += one.size() - 1;
    if (IsStorableCharacter(one)) {
      kept += one;
    } else {
      any = true;
    }
  }
  if (dropped) *dropped = any;
  return kept;
}

QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::filesystem::path ToFsPath(const QString& file) {
  return {QFile::encodeName(file).toStdString()};
}

QString FromFsPath(const std::filesystem::path& path) {
  return QFile::decodeName(path.string().c_str());
}

}  // namespace yobina
