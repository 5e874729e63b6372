#include "ui/ui_text.h"

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

}  // namespace yobina
