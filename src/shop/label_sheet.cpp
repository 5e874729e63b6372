#include "shop/label_sheet.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "graph/graph_context.h"
#include "graph/graph_shapes.h"
#include "graph/graph_text.h"
#include "report/report_text.h"
#include "shop/qr_code.h"
#include "text/codec.h"
#include "text/io_error.h"

namespace yobina {
namespace {

// The layout of a 70 × 37 mm label, in mm; other sizes scale it.
constexpr double kBaseWidth = 70;
constexpr double kBaseHeight = 37;
constexpr double kPadLeft = 3;
constexpr double kPadTop = 2.5;
constexpr double kQrSide = 27;       // the symbol with its quiet zone of 4 modules
constexpr double kQrRight = 1.5;     // from the label's right edge
constexpr double kTextRight = 41.5;  // the text column ends where the quiet zone starts
constexpr int32_t kQuietModules = 4;

struct Style {
  double Height;
  double Width;  // a full-width character
  double Gap;
  bool Bold = false;
};
constexpr Style kSmall{2.6, 2.6, 0.2};
constexpr Style kMedium{3.2, 3.2, 0.2};
constexpr Style kLarge{8, 8, 0.4, true};
constexpr double kLeastSqueeze = 0.5;  // narrower than this, a text is cut with "…"

struct Texts {
  std::string Title = Cp932("ヨビナ ラベル");
  std::string Gothic = Cp932("ＭＳ ゴシック");
  std::string Stock = Cp932("素材 ");
  std::string Phase = Cp932("節 ");
  std::string Heat = Cp932("溶鋼番号 ");
  std::string Offcut = Cp932("残材 ");
  std::string From = Cp932("出所 ");
};

const Texts& Text() {
  static const Texts texts;
  return texts;
}

// Draws on one label: positions in mm of the 70 × 37 layout from the label's corner.
class LabelPen {
 public:
  LabelPen(TGraphContext& gc, double left, double top, double scale)
      : gc_(gc), left_(left), top_(top), scale_(scale) {}

  // The text with its cell's top at (x, top), squeezed to end by `right`; cut
  // with "…" where it would be squeezed to less than half.
  void Write(std::string_view text, double x, double top, double right, const Style& style) {
    const double halfPitch = (style.Width + style.Gap) / 2;
    const double room = std::max(0.0, right - x);
    const double natural = static_cast<double>(text.size()) * halfPitch;
    double squeeze = natural > room ? room / natural : 1;
    std::string shown(text);
    if (squeeze < kLeastSqueeze) {
      squeeze = kLeastSqueeze;
      shown = CutWithEllipsis(text, static_cast<size_t>(room / (halfPitch * squeeze)));
    }
    gc_.LogFont.Weight = style.Bold ? 700 : 400;
    G_SetTextSize(gc_, style.Height * scale_, style.Width * squeeze * scale_, style.Gap * squeeze * scale_);
    G_Text(gc_, shown, X(x), Y(top + style.Height));
  }

  // The symbol with its quiet zone in the square of `side` at (x, top); a
  // run of dark modules in a row is one rectangle.
  void Qr(const QrSymbol& symbol, double x, double top, double side) {
    const double module = side / (symbol.Size + 2 * kQuietModules);
    const double left = x + kQuietModules * module;
    const double upper = top + kQuietModules * module;
    for (int32_t row = 0; row < symbol.Size; ++row) {
      for (int32_t column = 0; column < symbol.Size;) {
        if (!symbol.IsDark(row, column)) {
          ++column;
          continue;
        }
        const int32_t start = column;
        while (column < symbol.Size && symbol.IsDark(row, column)) ++column;
        G_FillRect(gc_, X(left + start * module), Y(upper + row * module), X(left + column * module),
                   Y(upper + (row + 1) * module), 0);
      }
    }
  }

 private:
  double X(double x) const { return left_ + x * scale_; }
  double Y(double y) const { return top_ + y * scale_; }

  TGraphContext& gc_;
  double left_;
  double top_;
  double scale_;
};

// The grade is the bar's: an offcut of another steel shows its own.
std::string MemberAndGrade(const CutList& list, const std::string& grade) {
  return grade.empty() ? list.MemberName : list.MemberName + "  " + grade;
}

// The length large with "mm" after it.
void WriteLength(LabelPen& pen, int32_t length, double top) {
  const std::string digits = IntText(length, 0);
  pen.Write(digits, kPadLeft, top, kTextRight, kLarge);
  const double unitLeft = kPadLeft + static_cast<double>(digits.size()) * (kLarge.Width + kLarge.Gap) / 2 + 1;
  pen.Write("mm", unitLeft, top + kLarge.Height - kMedium.Height, kTextRight, kMedium);
}

void WriteQr(LabelPen& pen, const std::string& text) {
  pen.Qr(EncodeQr(text), kBaseWidth - kQrRight - kQrSide, (kBaseHeight - kQrSide) / 2, kQrSide);
}

void DrawPieceLabel(LabelPen& pen, const CutList& list, const CutBar& bar, const CutPiece& piece) {
  const Texts& t = Text();
  pen.Write(list.ProjectName, kPadLeft, kPadTop, kTextRight, kSmall);
  pen.Write(MemberAndGrade(list, bar.Grade), kPadLeft, 6, kTextRight, kSmall);
  pen.Write(piece.Mark, kPadLeft, 9.7, kTextRight, kLarge);
  WriteLength(pen, piece.Length, 18.6);
  std::string where = t.Stock + IntText(bar.Number, 0) + "-" + IntText(piece.Order, 0);
  if (!piece.Phase.empty()) where += "  " + t.Phase + piece.Phase;
  pen.Write(where, kPadLeft, 27.6, kTextRight, kMedium);
  pen.Write(t.Heat + bar.Heat, kPadLeft, 31.6, kTextRight, kSmall);
  WriteQr(pen, PieceQrText(list, bar, piece));
}

void DrawOffcutLabel(LabelPen& pen, const CutList& list, const KeptOffcut& offcut) {
  const Texts& t = Text();
  std::string title = t.Offcut + "#";
  if (offcut.Id > 0) title += IntText(offcut.Id, 0);
  pen.Write(title, kPadLeft, kPadTop, kTextRight, kMedium);
  pen.Write(MemberAndGrade(list, offcut.Grade), kPadLeft, 6.8, kTextRight, kSmall);
  WriteLength(pen, offcut.Length, 10.4);
  pen.Write(t.Heat + offcut.Heat, kPadLeft, 20.2, kTextRight, kSmall);
  pen.Write(t.From + list.Source, kPadLeft, 24, kTextRight, kSmall);
  pen.Write(list.Date + "  " + t.Stock + IntText(offcut.Bar, 0), kPadLeft, 27.8, kTextRight, kSmall);
  WriteQr(pen, OffcutQrText(list, offcut));
}

}  // namespace

LabelSheet SingleLabelSheet(double width, double height) {
  LabelSheet sheet;
  sheet.PaperWidth = width;
  sheet.PaperHeight = height;
  sheet.Columns = 1;
  sheet.Rows = 1;
  sheet.LabelWidth = width;
  sheet.LabelHeight = height;
  sheet.Left = 0;
  sheet.Top = 0;
  return sheet;
}

int64_t LabelCount(const CutList& list) {
  return PieceCount(list) + static_cast<int64_t>(list.Offcuts.size());
}

namespace {

std::optional<std::string> QrFault(const CutList& list) {
  for (const CutBar& bar : list.Bars) {
    for (const CutPiece& piece : bar.Pieces) {
      if (PieceQrText(list, bar, piece).size() > kMostQrBytes) {
        return "素材No " + std::to_string(bar.Number) + "-" + std::to_string(piece.Order) +
               " のラベルの QR コードに符号が長すぎます。";
      }
    }
  }
  return std::nullopt;  // an offcut's QR text holds no free text but 部材名, cut to its field
}

}  // namespace

std::optional<std::string> LabelsFault(const CutList& list) {
  if (const int64_t count = LabelCount(list); count > kMostLabels) {
    return "ラベルが多すぎます（" + std::to_string(count) + " 枚。一度に " + std::to_string(kMostLabels) +
           " 枚まで）。";
  }
  return QrFault(list);
}

LabelPages::LabelPages(const LabelSheet& sheet, PrintDevice& printer)
    : sheet_(sheet),
      printer_(printer),
      perPage_(std::max<int64_t>(1, int64_t{std::max(1, sheet.Columns)} * std::max(1, sheet.Rows))) {
  TPaperSetup paper;
  paper.PaperMm = TPaperSetup::Millimetres{sheet.PaperWidth, sheet.PaperHeight};
  paper.FullPage = true;
  printer.SetDocumentTitle(Text().Title);
  printer.ApplyPaperSetup(paper);

  G_Begin(gc_, printer);
  G_SetFontName(gc_, Text().Gothic);
  G_SetTextColor(gc_, 0);
  // Page mm from the paper's corner: the context's own origin lies a little in.
  originX_ = -gc_.OffsetX / gc_.DotsPerMm;
  originY_ = -gc_.OffsetY / gc_.DotsPerMm;
  scale_ = std::min(sheet.LabelWidth / kBaseWidth, sheet.LabelHeight / kBaseHeight);
}

void LabelPages::Print(const CutList& list) {
  // No limit on the count: the pages go out as they are drawn.
  if (const std::optional<std::string> fault = QrFault(list)) throw IoError(*fault);
  const auto nextPen = [&] {
    const int64_t slot = placed_ % perPage_;
    if (placed_ > 0 && slot == 0) printer_.NewPage();
    ++placed_;
    const auto column = static_cast<double>(slot % std::max(1, sheet_.Columns));
    const auto row = static_cast<double>(slot / std::max(1, sheet_.Columns));
    return LabelPen(gc_, originX_ + sheet_.Left + column * (sheet_.LabelWidth + sheet_.ColumnGap),
                    originY_ + sheet_.Top + row * (sheet_.LabelHeight + sheet_.RowGap), scale_);
  };
  for (const CutBar& bar : list.Bars) {
    for (const CutPiece& piece : bar.Pieces) {
      LabelPen pen = nextPen();
      DrawPieceLabel(pen, list, bar, piece);
    }
  }
  for (const KeptOffcut& offcut : list.Offcuts) {
    LabelPen pen = nextPen();
    DrawOffcutLabel(pen, list, offcut);
  }
}

void LabelPages::Finish() {
  G_End(gc_);
}

void PrintLabels(const CutList& list, const LabelSheet& sheet, PrintDevice& printer) {
  if (const std::optional<std::string> fault = LabelsFault(list)) throw IoError(*fault);
  LabelPages pages(sheet, printer);
  pages.Print(list);
  pages.Finish();
}

}  // namespace yobina
