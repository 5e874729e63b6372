// The fixed texts the commands' callers show (UTF-8).
#pragma once

#include <string_view>

namespace yobina::message {

inline constexpr std::string_view kNoPlan = "ヨビナ不能です。";
inline constexpr std::string_view kWrongVersion = "データファイルのバージョンが違います。";
inline constexpr std::string_view kStopped = "中断しました";
inline constexpr std::string_view kNoPlanInTime = "制限時間内に計画が見つかりませんでした。";
inline constexpr std::string_view kStandardOutput = "標準出力";  // names stdout as a file name would be
inline constexpr std::string_view kConfirmOverwrite = "同名のファイルが存在します。上書きしてよろしいか？";

}  // namespace yobina::message
