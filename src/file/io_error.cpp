#include "file/io_error.h"

#include <cerrno>

namespace yobina {

std::string PlatformErrorText(int errorNumber) {
  // The failures a user meets with job files, in the words a Japanese desktop
  // uses for them.
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
    case EBUSY:
    case ETXTBSY:
      return "ファイルは使用中です。";
    case ELOOP:
      return "シンボリック リンクが循環しています。";
    case ENXIO:
    case ENODEV:
      return std::string(kNotRegularFileText);
    case EXDEV:
      return "別のドライブへは置き換えられません。";
    case ENOMEM:
      return "メモリが足りません。";
    case EINVAL:
      return "ファイル名が正しくありません。";
    default:
      return "ファイルを読み書きできません (エラー " + std::to_string(errorNumber) + ")。";
  }
}

}  // namespace yobina
