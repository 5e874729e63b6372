#include "inventory/inventory_error.h"

#include <string_view>

#include "file/readable_name.h"
#include "inventory/stored_text.h"
#include "text/codec.h"

namespace yobina {

namespace {

std::string_view TextOf(InventoryFault fault) {
  switch (fault) {
    case InventoryFault::CannotOpen:
      return "残材在庫のファイルを開けません。";
    case InventoryFault::Busy:
      return "残材在庫は他のウィンドウかプログラムが使用中です。しばらくしてからやり直してください。";
    case InventoryFault::DiskFull:
      return "ディスクに空きがないため、残材在庫に書き込めません。";
    case InventoryFault::Corrupt:
      return "残材在庫のファイルが壊れています。";
    case InventoryFault::NotInventory:
      return "残材在庫のファイルではありません。";
    case InventoryFault::NewerVersion:
      return "残材在庫のファイルは新しい版のヨビナで作られたため、使えません。";
    case InventoryFault::ReadOnly:
      return "残材在庫のファイルに書き込めません。";
    case InventoryFault::Io:
      return "残材在庫の読み書きに失敗しました。";
    case InventoryFault::Changed:
      return "残材在庫が他で変更されたため、記録できません。在庫から取り込み直してください。";
    case InventoryFault::BadRequest:
      return "残材の長さと本数は 1 以上の整数で、本数は 2147483647 以下にしてください。";
    case InventoryFault::AlreadyKept:
      return "この計画の残材は在庫へ記録済みです。";
    case InventoryFault::AlreadyTaken:
      return "このデータには在庫の残材を取り込み済みです。";
    case InventoryFault::Failed:
      break;
  }
  return "残材在庫の処理に失敗しました。";
}

}  // namespace

InventoryError MakeInventoryError(InventoryFault fault) {
  return InventoryError{fault, Cp932(TextOf(fault))};
}

InventoryError NamingFile(InventoryError error, const std::filesystem::path& file) {
  error.Message = ShownText(ReadableFileName(file)) + ": " + error.Message;
  return error;
}

}  // namespace yobina
