// The Japanese texts of the file layer's failures, carried by IoError.
#pragma once

#include <string>
#include <string_view>

#include "text/io_error.h"

namespace yobina {

inline constexpr std::string_view kNotRegularFileText = "通常のファイルではありません。";
inline constexpr std::string_view kNoFileNameText = "ファイル名が指定されていません。";
inline constexpr std::string_view kUtf8JobFileText =
    "UTF-8 で書かれたファイルは読み込めません。シフトJIS (CP932) で保存し直してください。";

// The Japanese text for an errno value; "ファイルが見つかりません" for a missing
// file. Never the C library's own (English) text.
std::string PlatformErrorText(int errorNumber);

}  // namespace yobina
