#include "file/io_error.h"

#include <cerrno>
#include <cstring>

namespace yobina {

std::string PlatformErrorText(int errorNumber) {
  // The failures a user meets with job files, in the words a Japanese desktop
  // uses for them; anything rarer falls back to the C library's text.
  switch (errorNumber) {
    case ENOENT:
      return "ファイルが見つかりません";
    case ENOTDIR:
      return "指定されたパスが見つかりません。";
    case EACCES:
    case EPERM:
      return "アクセスが拒否されました。";
    case EROFS:
      return "メディアは書き込み禁止になっています。";
    case ENOSPC:
    case EDQUOT:
      return "ディスクに十分な空き領域がありません。";
    case EFBIG:
      return "ファイルが大きすぎます。";
    case EISDIR:
      return "ファイルではなくフォルダーです。";
    case ENAMETOOLONG:
      return "ファイル名が長すぎます。";
    case EMFILE:
    case ENFILE:
      return "開いているファイルが多すぎます。";
    case EIO:
      return "I/O デバイス エラーが発生しました。";
    default:
      break;
  }
  const char* text = std::strerror(errorNumber);
  return (text != nullptr ? std::string(text) : std::string("I/O error")) + " (" +
         std::to_string(errorNumber) + ")";
}

}  // namespace yobina
