#include "project/project_print.h"

#include <string>
#include <string_view>

#include "app/commands.h"
#include "app/optimal_planner.h"
#include "diagram/cutting_diagram.h"
#include "project/bound_document.h"
#include "project/project_outputs.h"
#include "report/line_writer.h"
#include "report/printer_paper.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr size_t kNameBytes = 36;         // the purchase list's name column
constexpr size_t kSummaryNameBytes = 24;  // the summary's, which has more figures
constexpr size_t kLineBytes = 84;         // what fits across the page
constexpr double kLineAdvance = 7;        // units of LineWriter::kUnitMm, as the report's lines
constexpr double kGapAdvance = 10;
constexpr double kLineMm = kLineAdvance * LineWriter::kUnitMm;

// `cp932` in exactly `width` bytes: cut between characters, padded with blanks.
std::string Column(std::string_view cp932, size_t width) {
  std::string text = CutToBytes(cp932, width);
  return text + Spaces(static_cast<int32_t>(width - text.size()));
}

std::string Tonnes(const std::optional<int64_t>& kg, int width) {
  return kg ? FixedText(static_cast<double>(*kg) / 1000, width, 3) : Spaces(width);
}

std::string Yen(const std::optional<int64_t>& yen, int width) {
  return yen ? IntText(*yen, width) : Spaces(width);
}

void Heading(LineWriter& writer, const ProjectResult& result, const char* title, const char* columns) {
  writer.ReportLine(0, Cp932(title) + "  " + result.Input.Settings.ProjectName, kLineAdvance);
  writer.ReportLine(0, Cp932(columns), kGapAdvance);
}

void WritePurchaseList(LineWriter& writer, const ProjectResult& result) {
  Heading(writer, result, "購 入 リ ス ト",
          "部材名                                 長さ   本数     重量(t)          金額");
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    if (!result.Sections[s].HasPlan()) continue;
    for (const PurchaseLine& line : result.Sections[s].Purchase) {
      if (line.Bought == 0) continue;
      writer.EnsureRoom(kLineMm);
      writer.ReportLine(0,
                        Column(result.Input.Sections[s].Name, kNameBytes) + IntText(line.Length, 7) +
                            IntText(line.Bought, 7) + Tonnes(line.WeightKg, 12) + Yen(line.Yen, 14),
                        kLineAdvance);
    }
  }
  const PurchaseTotals totals = TotalsOf(result);
  writer.ReportLine(0,
                    Column(Cp932("合計"), kNameBytes + 7) + IntText(totals.Bars, 7) +
                        Tonnes(totals.WeightKg, 12) + Yen(totals.Yen, 14),
                    kGapAdvance);
}

void WriteSummary(LineWriter& writer, const ProjectResult& result) {
  Heading(writer, result, "部 材 別 集 計",
          "部材名                  部品数 素材延長(m)  重量(t) ロス率(%)       金額  証明");
  const std::string underFigures = Spaces(static_cast<int32_t>(kSummaryNameBytes));
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    const SectionSummary& section = result.Sections[s];
    std::string line = Column(result.Input.Sections[s].Name, kSummaryNameBytes) +
                       IntText(result.Input.Sections[s].Pieces(), 6);
    if (section.HasPlan()) {
      const SectionFigures figures = FiguresOf(result, s);
      line += FixedText(static_cast<double>(figures.StockMm) / 1000, 12, 3) + Tonnes(figures.WeightKg, 9) +
              FixedText(section.LossRate, 10, 2) + Yen(figures.Yen, 11);
    } else {
      line += Spaces(12 + 9 + 10 + 11);
    }
    const std::string proof = ProofText(result, s);
    const bool fits = line.size() + 2 + proof.size() <= kLineBytes;
    writer.EnsureRoom(fits ? kLineMm : 2 * kLineMm);
    writer.ReportLine(0, fits ? line + "  " + proof : line, kLineAdvance);
    if (!fits) writer.ReportLine(0, underFigures + proof, kLineAdvance);
  }
  // What the parts list left out, e.g. the plates of an NC folder.
  for (size_t n = 0; n < result.Input.Notes.size(); ++n) {
    writer.EnsureRoom(kLineMm);
    writer.ReportLine(0, result.Input.Notes[n], n == 0 ? kGapAdvance : kLineAdvance);
  }
}

// The list pages as a document of their own, so that their page numbers run from 1.
void PrintLists(const ProjectResult& result, PrintDevice& printer, bool withSummary) {
  LineWriter writer;
  writer.StartPrinter(printer);
  WritePurchaseList(writer, result);
  if (withSummary) {
    writer.ClosePage();
    WriteSummary(writer, result);
  }
  writer.Finish();
}

}  // namespace

PlanResult SectionPlanResult(const ProjectResult& result, size_t s, const SectionResult& full) {
  return OptimalPlanResult(SectionDocument(result, s, full), full.Job, full.Exact,
                           full.Status == SectionStatus::Stopped);
}

void PrintPurchaseList(const ProjectResult& result, PrintDevice& printer) {
  PrintLists(result, printer, false);
}

void PrintProject(const ProjectResult& result, const SectionReader& read, PrintDevice& printer,
                  const std::atomic<bool>* stop) {
  TPaperSetup paper = PaperSetupFor("A4", Cp932("たて"));
  paper.Monochrome = false;  // the diagrams are in colour
  BoundDocument bound(printer, Cp932("ヨビナ 一括計画"), paper);
  PrintLists(result, bound, true);
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    if (stop != nullptr && stop->load()) throw WritingStopped();
    if (!result.Sections[s].HasPlan()) continue;
    const PlanResult section = SectionPlanResult(result, s, read(s));
    PrintReport(section, bound);
    PrintCuttingDiagrams(section, bound);
  }
  bound.Close();
}

}  // namespace yobina
