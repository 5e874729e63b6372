// The names the window shows for the page's fields, lists and columns, for
// messages that point at one of them (UTF-8).
#pragma once

#include <string>
#include <string_view>

#include "job/page_elements.h"

namespace yobina {

std::string_view FieldName(FieldId field);  // "工事名", "部材名", ...
std::string_view ListName(GridId grid);     // "素材リスト", "切断リスト"
std::string_view ColumnName(int column);    // "長さ" (kLengthColumn), "本数" (kCountColumn)

// A value as a message quotes it: in 「」, at most 24 bytes, control
// characters as blanks (code page 932 in and out).
std::string QuotedValue(std::string_view cp932);

}  // namespace yobina
