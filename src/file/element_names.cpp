#include "file/element_names.h"

#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {

std::string_view FieldName(FieldId field) {
  switch (field) {
    case FieldId::Year:
      return "作成年";
    case FieldId::Month:
      return "作成月";
    case FieldId::Day:
      return "作成日";
    case FieldId::ProjectName:
      return "工事名";
    case FieldId::MemberName:
      return "部材名";
    case FieldId::UnitWeight:
      return "単位重量";
    case FieldId::Margin:
      return "素材の余裕";
    case FieldId::Kerf:
      return "切り代";
  }
  return "";
}

std::string_view ListName(GridId grid) {
  return grid == GridId::Stock ? "素材リスト" : "切断リスト";
}

std::string_view ColumnName(int column) {
  return column == kCountColumn ? "本数" : "長さ";
}

std::string QuotedValue(std::string_view cp932) {
  std::string shown = CutWithEllipsis(cp932, 24);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';  // never a trail byte of a two-byte character
  }
  return Cp932("「") + shown + Cp932("」");
}

}  // namespace yobina
