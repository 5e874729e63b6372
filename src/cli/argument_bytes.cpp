#include "cli/argument_bytes.h"

#include <cstdint>

namespace yobina {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at the start of `bytes`, or 0.
std::size_t ValidSequenceLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t minimum = 0;
  char32_t code = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, code = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace

QString ArgumentFromBytes(std::string_view bytes) {
  QString argument;
  while (!bytes.empty()) {
    const std::size_t length = ValidSequenceLength(bytes);
    if (length == 0) {
      argument.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[0]))));
      bytes.remove_prefix(1);
    } else {
      argument.append(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(length)));
      bytes.remove_prefix(length);
    }
  }
  return argument;
}

std::string ArgumentBytes(const QString& argument) {
  std::string bytes;
  for (qsizetype i = 0; i < argument.size(); ++i) {
    const char16_t unit = argument[i].unicode();
    const bool pair = QChar::isHighSurrogate(unit) && i + 1 < argument.size() &&
                      QChar::isLowSurrogate(argument[i + 1].unicode());
    if (pair) {
      AppendUtf8(bytes, QChar::surrogateToUcs4(unit, argument[i + 1].unicode()));
      ++i;
    } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
      bytes.push_back(static_cast<char>(unit - kEscapeBase));
    } else {
      AppendUtf8(bytes, unit);
    }
  }
  return bytes;
}

QStringList ArgumentsFromArgv(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << ArgumentFromBytes(argv[i]);
  return arguments;
}

}  // namespace yobina
