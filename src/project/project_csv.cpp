// The purchase list, the summary, and the figures both read.
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "project/project_outputs.h"
#include "project/section_pricing.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::optional<int64_t> Sum(std::optional<int64_t> a, std::optional<int64_t> b) {
  if (!a || !b) return std::nullopt;
  return *a + *b;
}

// Thousandths (never negative) as a decimal: kg as t, mm as m.
std::string Thousandths(int64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(value / 1000),
                static_cast<long long>(value % 1000));
  return text;
}

std::string Optional(const std::optional<int64_t>& value, bool thousandths) {
  if (!value) return {};
  return thousandths ? Thousandths(*value) : IntText(*value, 0);
}

// A cell in UTF-8, in quotes where it holds a comma, a quote or a line break.
std::string Cell(std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
  std::string quoted = "\"";
  for (const char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Line(std::initializer_list<std::string> cells) {
  std::string line;
  for (const std::string& cell : cells) {
    if (&cell != cells.begin()) line += ',';
    line += cell;
  }
  return line + "\r\n";
}

std::string Utf8(const std::string& cp932) {
  return Cp932ToUtf8(cp932);
}

}  // namespace

PurchaseTotals TotalsOf(const ProjectResult& result) {
  PurchaseTotals totals;
  for (const SectionSummary& section : result.Sections) {
    if (!section.HasPlan()) continue;
    for (const PurchaseLine& line : section.Purchase) {
      if (line.Bought == 0) continue;
      totals.Bars += line.Bought;
      totals.WeightKg = Sum(totals.WeightKg, line.WeightKg);
      totals.Yen = Sum(totals.Yen, line.Yen);
    }
  }
  return totals;
}

SectionFigures FiguresOf(const ProjectResult& result, size_t s) {
  const SectionInput& input = result.Input.Sections[s];
  const SectionSummary& section = result.Sections[s];
  SectionFigures figures;
  figures.Pieces = input.Pieces();
  figures.WeightKg = 0;
  figures.Yen = 0;
  for (const PurchaseLine& line : section.Purchase) {
    const int64_t bars = int64_t{line.Bought} + line.FromStock;
    figures.StockMm += int64_t{line.Length} * bars;
    const std::optional<double> kg = BarKg(input, line.Length);
    figures.WeightKg =
        Sum(figures.WeightKg,
            kg ? std::optional<int64_t>(std::llround(*kg * static_cast<double>(bars))) : std::nullopt);
    figures.Yen = Sum(figures.Yen, line.Yen);
  }
  return figures;
}

std::string ProofText(const ProjectResult& result, size_t s) {
  const SectionSummary& section = result.Sections[s];
  std::string text;
  switch (section.Status) {
    case SectionStatus::Planned:
      if (section.Proof != ExactStatus::Proven) {
        text = Cp932("未証明(差 ") + FixedText(section.GapMeters, 0, 3) + " m)";
      } else {
        text = Cp932(section.CostProven ? "証明済" : "最安未証明");
      }
      break;
    case SectionStatus::NoPlan:
      text = Cp932("計画なし");
      break;
    case SectionStatus::NotFound:
      text = Cp932("時間切れ");
      break;
    case SectionStatus::Refused:
      text = Cp932("対象外: ") + (section.Notes.empty() ? std::string() : section.Notes.front());
      break;
    case SectionStatus::Stopped:
      text = Cp932("中断");
      break;
  }
  if (section.HasPlan() && !HasJobFile(result, s)) text += Cp932(" / ジョブファイルなし(36行以上)");
  return text;
}

std::string PurchaseCsv(const ProjectResult& result) {
  std::string csv(kBom);
  csv += Line({"部材名", "長さ", "本数", "重量(t)", "金額"});
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    const SectionSummary& section = result.Sections[s];
    if (!section.HasPlan()) continue;
    const std::string name = Cell(Utf8(result.Input.Sections[s].Name));
    for (const PurchaseLine& line : section.Purchase) {
      if (line.Bought == 0) continue;
      csv += Line({name, IntText(line.Length, 0), IntText(line.Bought, 0), Optional(line.WeightKg, true),
                   Optional(line.Yen, false)});
    }
  }
  const PurchaseTotals totals = TotalsOf(result);
  csv += Line(
      {"合計", "", IntText(totals.Bars, 0), Optional(totals.WeightKg, true), Optional(totals.Yen, false)});
  return csv;
}

std::string SummaryCsv(const ProjectResult& result) {
  std::string csv(kBom);
  csv += Line({"部材名", "部品数", "素材延長(m)", "重量(t)", "ロス率(%)", "証明", "金額"});
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    const SectionSummary& section = result.Sections[s];
    const std::string name = Cell(Utf8(result.Input.Sections[s].Name));
    const std::string proof = Cell(Utf8(ProofText(result, s)));
    const std::string pieces = IntText(result.Input.Sections[s].Pieces(), 0);
    if (!section.HasPlan()) {
      csv += Line({name, pieces, "", "", "", proof, ""});
      continue;
    }
    const SectionFigures figures = FiguresOf(result, s);
    csv += Line({name, pieces, Thousandths(figures.StockMm), Optional(figures.WeightKg, true),
                 FixedText(section.LossRate, 0, 2), proof, Optional(figures.Yen, false)});
  }
  return csv;
}

}  // namespace yobina
