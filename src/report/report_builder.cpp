#include "report/report_builder.h"

#include <array>
#include <optional>

#include "plan/offcut_totals.h"
#include "report/pattern_table.h"
#include "report/report_lines.h"
#include "report/report_text.h"
#include "text/codec.h"
#include "text/number_text.h"

namespace yobina {
namespace {

struct SectionTexts {
  std::string Rule = RepeatText(Cp932("─"), 41);
  std::string ProjectName = Cp932("工事名：");
  std::string CutListTitle = Cp932("《切 断 リ ス ト》");
  std::string StockListTitle = Cp932("《必要素材リスト》");
  std::string OffcutListTitle = Cp932("《残材リスト》");
  std::string End = Cp932("－以上－");
  std::string NoPlan = Cp932("計画はありません");
};

const SectionTexts& Texts() {
  static const SectionTexts texts;
  return texts;
}

// Four cells a line, filled down the columns; entries with a zero length or
// count are left out without leaving a gap. Entries are 1..count.
template <typename Entry>
void WriteFourColumnList(LineWriter& writer, int32_t count, Entry entry) {
  const int32_t rows = (count + 3) / 4;
  for (int32_t r = 1; r <= rows; ++r) {
    std::string line;
    for (int32_t c = 0; c < 4; ++c) {
      const int32_t k = rows * c + r;
      if (k > count) continue;
      const TLengthRow row = entry(k);
      if (row.Length != 0 && row.Count != 0) line += ListCell(row.Length, row.Count);
    }
    writer.ReportLine(0, line, 9);
  }
}

// What the optimal planner knows of its plan, under the totals; a Run's plan has nothing to add.
std::vector<std::string> MethodNotes(const PlanResult& result) {
  std::vector<std::string> notes;
  const OptimalMethod* optimal = OptimalMethodOf(result);
  if (optimal == nullptr || !result.Plan.HasPatterns()) return notes;
  notes.push_back(optimal->Proven ? ProvenOptimalLine(optimal->BoundLossRate)
                                  : UnprovenLine(optimal->BoundLossRate, optimal->GapMeters));
  notes.push_back(SetupsLine(optimal->Setups.Patterns, optimal->Setups.LowerBound, optimal->Setups.Proven));
  if (const auto& figure = optimal->WithoutShortFirst)
    notes.push_back(WithoutShortFirstLine(figure->StockLength, figure->LossRate, figure->Proven));
  return notes;
}

// With offcuts on: their totals, whether the optimal planner proved its scrap
// least, and the offcuts by length. Off: nothing, so the report stays as it was.
void WriteOffcuts(LineWriter& writer, const PlanResult& result) {
  const int32_t offcutMin = result.Document.OffcutMin;
  if (offcutMin <= 0 || !result.Plan.HasPatterns()) return;
  const OffcutTotals totals = OffcutTotalsOf(result.Plan, offcutMin);
  writer.ReportLine(0, OffcutTotalsLine(offcutMin, totals.Bars, totals.OffcutLength, totals.ScrapLength), 7);
  const OptimalMethod* optimal = OptimalMethodOf(result);
  if (optimal != nullptr && optimal->ScrapProven)
    writer.ReportLine(0, ScrapProvenLine(*optimal->ScrapProven), 7);
  if (totals.Offcuts.empty()) return;
  writer.ReportLine(0, Texts().Rule, 7);
  writer.ReportLine(0, Texts().OffcutListTitle, 7);
  WriteFourColumnList(writer, static_cast<int32_t>(totals.Offcuts.size()), [&](int32_t k) {
    const OffcutBars& bars = totals.Offcuts[static_cast<std::size_t>(k - 1)];
    return TLengthRow{bars.Length, bars.Count, 0};
  });
}

}  // namespace

std::vector<std::string> ReportBuilder::BuildReport(const PlanResult& result) {
  std::vector<std::string> lines;
  writer_.StartText(lines);
  WriteReport(result);
  return lines;
}

void ReportBuilder::BuildReport(const PlanResult& result, PrintDevice& printer) {
  writer_.StartPrinter(printer);
  WriteReport(result);
}

std::vector<std::string> ReportBuilder::BuildReportWithoutPlan(const PlanResult& result) {
  withoutPlan_ = true;
  std::vector<std::string> lines = BuildReport(result);
  withoutPlan_ = false;
  return lines;
}

void ReportBuilder::BuildReportWithoutPlan(const PlanResult& result, PrintDevice& printer) {
  withoutPlan_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{withoutPlan_};
  BuildReport(result, printer);
}

void ReportBuilder::TallyRequiredStock(const Plan& plan) {
  std::array<int32_t, kTableCapacity + 1> bars{};
  for (int32_t j = 1; j <= plan.PatternCount(); ++j) {
    const TCutPattern& pattern = plan.Pattern(j);
    // A row outside the stock table would be a plan of other tables: skip it.
    if (plan.HasStockRow(pattern)) bars[pattern.StockRow] += pattern.BarCount;
  }
  requiredStock_ = RequiredStockList{};
  requiredStockCount_ = 0;
  for (int32_t i = 1; i <= plan.StockRowCount(); ++i) {
    if (bars[i] == 0) continue;
    ++requiredStockCount_;
    requiredStock_[requiredStockCount_] = {i, bars[i]};
  }
}

void ReportBuilder::WriteReport(const PlanResult& result) {
  const SectionTexts& t = Texts();
  const JobDocument& document = result.Document;
  const Plan& plan = result.Plan;
  const TJob& job = plan.Job();
  const TCutPlan& totals = plan.Cuts();
  const double unitWeight = TextToReal(document.UnitWeight);

  const std::optional<std::string> date =
      DateLine(TextToInt(document.Year), TextToInt(document.Month), TextToInt(document.Day));
  if (date) writer_.ReportLine(0, *date, 7);
  writer_.ReportLine(2, t.ProjectName + NameFieldText(document, FieldId::ProjectName), 7);
  memberNameLine_ = MemberNameLine(NameFieldText(document, FieldId::MemberName), unitWeight);
  writer_.ReportLine(2, memberNameLine_, 9);
  writer_.ReportLine(0, t.Rule, 7);

  writer_.ReportLine(0, t.CutListTitle, 7);
  WriteFourColumnList(writer_, plan.CutRowCount(), [&](int32_t k) { return plan.CutRow(k); });
  writer_.ReportLine(0, t.Rule, 7);

  if (!withoutPlan_) {
    writer_.ReportLine(0, t.StockListTitle, 7);
    TallyRequiredStock(plan);
    WriteFourColumnList(writer_, requiredStockCount_, [&](int32_t k) {
      const RequiredStockEntry& entry = requiredStock_[k];
      return TLengthRow{plan.StockRow(entry.StockRow).Length, entry.Bars, 0};
    });
    writer_.ReportLine(0, t.Rule, 7);
  }

  // The margin and kerf the plan was made with, not what the fields say since.
  writer_.ReportLine(1, MarginKerfLine(job.Margin, job.Kerf), 7);
  writer_.ReportLine(0, t.Rule, 7);
  if (withoutPlan_) {
    writer_.ReportLine(0, t.NoPlan, 7);
    writer_.ReportLine(0, t.Rule, 7);
    writer_.ReportLine(0, t.End, 6);
    writer_.Finish();
    return;
  }
  writer_.ReportLine(
      0,
      LengthTotalsLine(totals.StockLength, totals.MemberLength, totals.LeftoverLength, totals.LeftoverRate),
      7);
  if (unitWeight > 0) {
    writer_.ReportLine(
        0, WeightTotalsLine(totals.StockLength, totals.MemberLength, unitWeight, totals.LossRate), 9);
  }
  for (const std::string& note : MethodNotes(result)) writer_.ReportLine(0, note, 7);
  WriteOffcuts(writer_, result);
  writer_.ReportLine(0, t.Rule, 7);

  for (int32_t p = 1; p <= plan.PatternCount(); p += kPatternsPerBlock) {
    WritePatternBlock(writer_, job, totals, p, memberNameLine_);
  }
  writer_.ReportLine(0, t.End, 6);
  writer_.Finish();
}

}  // namespace yobina
