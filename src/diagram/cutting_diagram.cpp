#include "diagram/cutting_diagram.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "diagram/bar_block.h"
#include "diagram/diagram_style.h"
#include "graph/graph_context.h"
#include "graph/graph_shapes.h"
#include "graph/graph_text.h"
#include "report/printer_paper.h"
#include "report/report_lines.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

using namespace diagram;

struct HeaderTexts {
  std::string Title = Cp932("《切 断 図》");
  std::string ProjectName = Cp932("工事名：");
  std::string MemberName = Cp932("部材名：");
  std::string DocumentTitle = Cp932("ヨビナ 切断図");
  std::string Gothic = Cp932("ＭＳ ゴシック");
  std::string AtLeast = Cp932("mm以上");
  std::string Below = Cp932("mm未満");
  std::string Colon = Cp932("：");
};

const HeaderTexts& Texts() {
  static const HeaderTexts texts;
  return texts;
}

void SetTextSize(TGraphContext& gc, const TTextSize& size) {
  G_SetTextSize(gc, size.Height, size.Width, size.Gap);
}

// The caption and the name field's text, cut with "…" where it would pass `right`.
std::string NameLine(const std::string& caption, const JobDocument& document, FieldId field, double right) {
  const double fitting = std::floor(std::max(0.0, right) / kHeaderText.HalfPitch());
  return CutWithEllipsis(caption + NameFieldText(document, field), static_cast<size_t>(fitting));
}

// With offcuts on, what the two leftover boxes mean: "残材：1000mm以上" and
// "端材：1000mm未満" after their swatches, on the name lines' right. Returns
// where the legend starts (`right` when there is none, or no room for it).
double DrawLegend(TGraphContext& gc, int32_t offcutMin, double right) {
  if (offcutMin <= 0) return right;
  const HeaderTexts& t = Texts();
  const std::string length = IntText(offcutMin, 0);
  const std::string offcut = LeftoverWord(LeftoverKind::Offcut) + t.Colon + length + t.AtLeast;
  const std::string scrap = LeftoverWord(LeftoverKind::Scrap) + t.Colon + length + t.Below;
  const double textWidth =
      static_cast<double>(std::max(offcut.size(), scrap.size())) * kLabelText.HalfPitch();
  constexpr double kSwatchWidth = 6;
  constexpr double kSwatchGap = 1.5;
  const double left = right - textWidth - kSwatchGap - kSwatchWidth;
  if (left < 0) return right;
  SetTextSize(gc, kLabelText);
  for (const auto& [kind, text, foot] : {std::tuple{LeftoverKind::Offcut, offcut, kHeaderTop + 11},
                                         std::tuple{LeftoverKind::Scrap, scrap, kHeaderTop + 17}}) {
    DrawLeftoverBox(gc, kind, left, foot - kLabelText.Height - 0.5, left + kSwatchWidth, foot + 0.5);
    G_Text(gc, text, left + kSwatchWidth + kSwatchGap, foot);
  }
  return left;
}

void DrawHeader(TGraphContext& gc, const JobDocument& document, const TJob& job, int32_t pageNumber,
                int32_t pageCount, double right) {
  const HeaderTexts& t = Texts();
  const double legendLeft = DrawLegend(gc, document.OffcutMin, right);
  const double namesRight = legendLeft < right ? legendLeft - 3 : right;
  SetTextSize(gc, kHeaderText);
  G_Text(gc, t.Title + "  " + MarginKerfLine(job.Margin, job.Kerf), 0, kHeaderTop + 5);
  const std::string number = IntText(pageNumber, 0) + " / " + IntText(pageCount, 0);
  G_Text(gc, number, right - static_cast<double>(number.size()) * kHeaderText.HalfPitch(), kHeaderTop + 5);
  G_Text(gc, NameLine(t.ProjectName, document, FieldId::ProjectName, namesRight), 0, kHeaderTop + 11);
  G_Text(gc, NameLine(t.MemberName, document, FieldId::MemberName, namesRight), 0, kHeaderTop + 17);
  G_Line(gc, 0, kHeaderTop + kHeaderHeight - 2, right, kHeaderTop + kHeaderHeight - 2, kOutlineWidth,
         kOutlineColor);
}

}  // namespace

void PrintCuttingDiagrams(const PlanResult& result, PrintDevice& printer) {
  TPaperSetup paper = PaperSetupFor("A4", Cp932("たて"));
  paper.Monochrome = false;
  printer.SetDocumentTitle(Texts().DocumentTitle);
  printer.ApplyPaperSetup(paper);
  DrawCuttingDiagrams(result, printer);
}

void DrawCuttingDiagrams(const PlanResult& result, PrintDevice& device) {
  const JobDocument& document = result.Document;
  const Plan& plan = result.Plan;
  const TJob& job = plan.Job();
  TGraphContext gc;
  G_Begin(gc, device);
  G_SetFontName(gc, Texts().Gothic);
  G_SetTextColor(gc, kTextColor);

  const double right = gc.WindowRight - kRightMargin;
  const double bottom = gc.WindowBottom - kBottomMargin;
  const double contentTop = kHeaderTop + kHeaderHeight;
  const int32_t patternCount = plan.PatternCount();

  double columnWidth = 0;
  double longest = 1;
  for (int32_t p = 1; p <= patternCount; ++p) {
    columnWidth = std::max(columnWidth, LeftColumnWidth(job, plan.Pattern(p)));
    longest = std::max(longest, BarGeometryOf(job, plan.Pattern(p)).Extent);
  }
  const double columnRight = columnWidth + 1;
  const double barLeft = columnRight + 2;
  const double scale = std::max(right - barLeft, 10.0) / longest;

  // Pages first, so that every header can say how many there are.
  std::vector<TBarBlock> blocks;
  std::vector<int32_t> pageOf;
  std::vector<double> topOf;
  int32_t pageCount = 1;
  double y = contentTop;
  for (int32_t p = 1; p <= patternCount; ++p) {
    // Labels may hang left of the bar too: under the left column is free.
    TBarBlock block = LayoutBarBlock(job, plan.Pattern(p), document.OffcutMin, scale, barLeft, 0, right);
    if (y > contentTop && y + block.Height() - kBlockGap > bottom) {
      ++pageCount;
      y = contentTop;
    }
    pageOf.push_back(pageCount);
    topOf.push_back(y);
    y += block.Height();
    blocks.push_back(std::move(block));
  }

  DrawHeader(gc, document, job, 1, pageCount, right);
  for (size_t i = 0; i < blocks.size(); ++i) {
    if (i > 0 && pageOf[i] != pageOf[i - 1]) {
      device.NewPage();
      DrawHeader(gc, document, job, pageOf[i], pageCount, right);
    }
    DrawBarBlock(gc, blocks[i], topOf[i], columnRight);
  }
  G_End(gc);
}

}  // namespace yobina
