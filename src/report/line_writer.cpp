#include "report/line_writer.h"

#include <algorithm>

#include "graph/graph_text.h"
#include "report/printer_paper.h"
#include "report/report_text.h"
#include "text/codec.h"
#include "text/half_width.h"

namespace yobina {
namespace {

struct StrokeCharacters {
  std::string Horizontal = Cp932("─");
  std::string HorizontalBold = Cp932("━");
  std::string Vertical = Cp932("│");
  std::string VerticalBold = Cp932("┃");
};

const StrokeCharacters& Strokes() {
  static const StrokeCharacters strokes;
  return strokes;
}

}  // namespace

void LineWriter::ResetPageState() {
  pageNumber_ = 0;
  lineY_ = 0;
  context_ = TGraphContext{};
}

void LineWriter::ApplyReportSize() {
  G_SetTextSize(context_, kCharHeightMm, kCharWidthMm, kCharGapMm);
}

void LineWriter::StartText(std::vector<std::string>& lines) {
  ResetPageState();
  context_.TextLines = &lines;
  context_.IsPrinter = false;
  lines.clear();
  ClosePage();
  ApplyReportSize();
}

void LineWriter::StartPrinter(PrintDevice& printer) {
  static const std::string kTitle = Cp932("ヨビナ");
  static const std::string kPaper = "A4";
  static const std::string kUpright = Cp932("たて");
  static const std::string kMincho = Cp932("ＭＳ 明朝");

  ResetPageState();
  printer.SetDocumentTitle(kTitle);
  SetPrinterPaper(printer, kPaper, kUpright);
  G_Begin(context_, printer);
  G_SetFontName(context_, kMincho);
  ApplyReportSize();
}

void LineWriter::ReportLine(int32_t indent, std::string_view text, double advance) {
  lineY_ = std::max(lineY_ + kUnitMm * advance, kTopMm);
  std::string line = Spaces(indent);
  line += text;
  if (!context_.IsPrinter) {
    if (context_.TextLines != nullptr) context_.TextLines->push_back(std::move(line));
    return;
  }
  DrawLine(Spaces(kPrintMargin) + line);
}

void LineWriter::DrawLine(std::string_view line) {
  const StrokeCharacters& strokes = Strokes();
  const double h = context_.CharHeight;
  const double p = context_.CharWidth + context_.CharGap;
  double x = 0;
  size_t i = 0;
  while (i < line.size()) {
    const size_t bytes =
        IsLeadByte(static_cast<unsigned char>(line[i])) ? std::min<size_t>(2, line.size() - i) : 1;
    const std::string_view c = line.substr(i, bytes);
    // Strokes are drawn twice, shifted along themselves, so that rules join
    // into continuous lines across characters and lines.
    if (c == strokes.Horizontal || c == strokes.HorizontalBold) {
      G_Text(context_, c, x - p / 3, lineY_);
      G_Text(context_, c, x + p / 3, lineY_);
    } else if (c == strokes.Vertical || c == strokes.VerticalBold) {
      G_Text(context_, c, x, lineY_ - h / 4);
      G_Text(context_, c, x, lineY_ + h / 4);
    } else {
      G_Text(context_, c, x, lineY_);
    }
    x = x + static_cast<double>(bytes) * p / 2;
    i += bytes;
  }
}

void LineWriter::EnsureRoom(double need) {
  G_SetWindow(context_, 0, 0, 0, 0);
  ApplyReportSize();
  if (kBottomMm - lineY_ < need) ClosePage();
}

void LineWriter::ClosePage() {
  G_SetWindow(context_, 0, 0, 0, 0);
  ApplyReportSize();
  ++pageNumber_;
  if (!context_.IsPrinter) {
    if (context_.TextLines != nullptr) {
      context_.TextLines->emplace_back("*");
      context_.TextLines->push_back("* Page = " + IntText(pageNumber_, 0));
      context_.TextLines->emplace_back(kRuler);
      context_.TextLines->emplace_back("*");
    }
  } else {
    const std::string number = "- " + IntText(pageNumber_, 0) + " -";
    G_Text(context_, std::string(Spaces(8 - static_cast<int32_t>(number.size()))) + number, kPageNumberXMm,
           kPageNumberYMm);
    context_.Target->NewPage();
  }
  lineY_ = kTopMm;
}

void LineWriter::Finish() {
  ClosePage();
  G_End(context_);
  context_.TextLines = nullptr;  // the caller takes the lines over
}

}  // namespace yobina
