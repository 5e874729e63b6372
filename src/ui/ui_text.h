// Conversions between the core's code page 932 text and the widgets' QString.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace yobina {

QString ToQString(std::string_view cp932);

// Code page 932 bytes; a character the code page cannot hold becomes "?"
// (the widgets refuse such characters as they are typed, so this is rare).
std::string ToCp932(const QString& text);

// Whether the code page can hold every character of the text, and its length in bytes.
bool FitsCp932(const QString& text, int* byteCount = nullptr);

// Whether `character` (one character, one or two UTF-16 units) can stand in
// typed text: the code page holds it and it is no control character, such as
// a line break. Its length in code page 932 bytes goes to `byteCount`.
bool IsStorableCharacter(const QString& character, int* byteCount = nullptr);

// The text without the characters that cannot stand in typed text; `dropped`
// tells whether there were any.
QString KeepStorableCharacters(const QString& text, bool* dropped = nullptr);

// UTF-8 text of the core (message texts, error texts).
QString FromUtf8(std::string_view utf8);

// File names between Qt and the standard library, in the file system's encoding.
std::filesystem::path ToFsPath(const QString& file);
QString FromFsPath(const std::filesystem::path& path);

}  // namespace yobina
