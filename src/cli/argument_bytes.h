// Command-line arguments as QStrings that keep their bytes: file names are
// used byte for byte whatever the locale, UTF-8 or not (Shift-JIS names from
// Windows archives). A byte that is not part of valid UTF-8 travels as the
// lone surrogate U+DC80 + byte, and turns back into that byte.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

namespace yobina {

QString ArgumentFromBytes(std::string_view bytes);

// The bytes ArgumentFromBytes was given; other text as UTF-8.
std::string ArgumentBytes(const QString& argument);

QStringList ArgumentsFromArgv(int argc, char** argv);

}  // namespace yobina
