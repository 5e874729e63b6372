// The error every failed file or printer operation raises: it carries a
// Japanese text for the failure (UTF-8), which the front ends show as is.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace yobina {

class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kNotRegularFileText = "通常のファイルではありません。";
inline constexpr std::string_view kNoFileNameText = "ファイル名が指定されていません。";
inline constexpr std::string_view kUtf8JobFileText =
    "UTF-8 で書かれたファイルは読み込めません。シフトJIS (CP932) で保存し直してください。";

// The Japanese text for an errno value; "ファイルが見つかりません" for a missing
// file. Never the C library's own (English) text.
std::string PlatformErrorText(int errorNumber);

}  // namespace yobina
