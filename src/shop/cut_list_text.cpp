// The cut list as CSV, and the texts of the labels' QR codes.
#include <string_view>

#include "report/report_text.h"
#include "shop/cut_list.h"
#include "text/codec.h"
#include "text/half_width.h"

namespace yobina {
namespace {

// A cell in UTF-8, in quotes where it holds a comma, a quote or a line break.
std::string Cell(std::string_view cp932) {
  const std::string utf8 = Cp932ToUtf8(cp932);
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string quoted = "\"";
  for (const char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Number(int64_t value) {
  return IntText(value, 0);
}

void AddLine(std::string& csv, std::initializer_list<std::string> cells) {
  bool first = true;
  for (const std::string& cell : cells) {
    if (!first) csv += ',';
    csv += cell;
    first = false;
  }
  csv += "\r\n";
}

std::string HandlingText(LeftoverKind kind) {
  switch (kind) {
    case LeftoverKind::Offcut:
      return Cell(Cp932("残材"));
    case LeftoverKind::Scrap:
      return Cell(Cp932("端材"));
    case LeftoverKind::Leftover:
      break;
  }
  return {};
}

// A field of a QR text: "|" separates the fields, so one inside becomes "｜".
std::string QrField(std::string_view cp932) {
  static const std::string kBar = Cp932("｜");
  std::string field;
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    const auto byte = static_cast<unsigned char>(cp932[i]);
    if (IsLeadByte(byte) && i + 1 < cp932.size()) {
      field.append(cp932.substr(i, 2));
      ++i;
    } else {
      field += byte == '|' ? kBar : std::string(1, cp932[i]);
    }
  }
  return Cp932ToUtf8(field);
}

}  // namespace

std::string CutListCsv(const CutList& list) {
  std::string csv = "\xEF\xBB\xBF";
  csv += Cp932ToUtf8(
      Cp932("工事名,部材名,鋼種,素材No,素材長,出所,溶鋼番号,切断順,符号,長さ,節,残り,残りの扱い\r\n"));
  const std::string project = Cell(list.ProjectName);
  const std::string member = Cell(list.MemberName);
  for (const CutBar& bar : list.Bars) {
    const std::string grade = Cell(bar.Grade);
    const std::string number = Number(bar.Number);
    const std::string stock = Number(bar.StockLength);
    const std::string origin = Cell(OriginText(bar));
    const std::string heat = Cell(bar.Heat);
    const std::string leftover = Number(bar.Leftover);
    const std::string handling = HandlingText(bar.Kind);
    if (bar.Pieces.empty()) {
      AddLine(csv, {project, member, grade, number, stock, origin, heat, "", "", "", "", leftover, handling});
      continue;
    }
    for (const CutPiece& piece : bar.Pieces) {
      const bool last = &piece == &bar.Pieces.back();
      AddLine(csv,
              {project, member, grade, number, stock, origin, heat, Number(piece.Order), Cell(piece.Mark),
               Number(piece.Length), Cell(piece.Phase), last ? leftover : "", last ? handling : ""});
    }
  }
  return csv;
}

std::string PieceQrText(const CutList& list, const CutBar& bar, const CutPiece& piece) {
  return "yobina1|" + QrField(list.ProjectName) + "|" + QrField(list.MemberName) + "|" + Number(bar.Number) +
         "|" + Number(piece.Order) + "|" + QrField(piece.Mark) + "|" + Number(piece.Length);
}

std::string OffcutQrText(const CutList& list, const KeptOffcut& offcut) {
  return "yobina1|" + Cp932ToUtf8(Cp932("残材")) + "|" + (offcut.Id > 0 ? Number(offcut.Id) : "") + "|" +
         QrField(list.MemberName) + "|" + Number(offcut.Length);
}

}  // namespace yobina
