// The fixed texts the commands' callers show (UTF-8).
#pragma once

#include <string_view>

namespace yobina::message {

inline constexpr std::string_view kNoPlan = "ヨビナ不能です。";
inline constexpr std::string_view kWrongVersion = "データファイルのバージョンが違います。";
inline constexpr std::string_view kStopped = "中断しました";
// The results page and 【図】 without a plan of the job on the page.
inline constexpr std::string_view kNoCurrentPlan =
    "計画はありません。実 行 または 最 適 化 を押してください。";
inline constexpr std::string_view kNoPlanInTime = "制限時間内に計画が見つかりませんでした。";
inline constexpr std::string_view kStandardOutput = "標準出力";  // names stdout as a file name would be
inline constexpr std::string_view kSaveChanges = "変更を保存しますか？";
inline constexpr std::string_view kConfirmOverwrite = "同名のファイルが存在します。上書きしてよろしいか？";

}  // namespace yobina::message
