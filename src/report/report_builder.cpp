#include "report/report_builder.h"

#include <algorithm>
#include <array>
#include <optional>

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
  std::string End = Cp932("－以上－");
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

}  // namespace

std::vector<std::string> ReportBuilder::BuildReport(const InputPage& page, const TJob& job,
                                                    const TCutPlan& plan,
                                                    const std::vector<std::string>& notes) {
  std::vector<std::string> lines;
  writer_.StartText(lines);
  WriteReport(page, job, plan, notes);
  return lines;
}

void ReportBuilder::BuildReport(const InputPage& page, const TJob& job, const TCutPlan& plan,
                                PrintDevice& printer, const std::vector<std::string>& notes) {
  writer_.StartPrinter(printer);
  WriteReport(page, job, plan, notes);
}

void ReportBuilder::TallyRequiredStock(const TJob& job, const TCutPlan& plan) {
  const int32_t stockCount = std::clamp(job.StockCount, 0, kTableCapacity);
  const int32_t patternCount = std::clamp(plan.PatternCount, 0, kMaxPatterns);
  std::array<int32_t, kTableCapacity + 1> bars{};
  for (int32_t j = 1; j <= patternCount; ++j) {
    const TCutPattern& pattern = plan.Patterns[j];
    // A row outside the stock table would be a plan of other tables: skip it.
    if (pattern.StockRow >= 1 && pattern.StockRow <= stockCount) bars[pattern.StockRow] += pattern.BarCount;
  }
  requiredStock_ = RequiredStockList{};
  requiredStockCount_ = 0;
  for (int32_t i = 1; i <= stockCount; ++i) {
    if (bars[i] == 0) continue;
    ++requiredStockCount_;
    requiredStock_[requiredStockCount_] = {i, bars[i]};
  }
}

void ReportBuilder::WriteReport(const InputPage& page, const TJob& job, const TCutPlan& plan,
                                const std::vector<std::string>& notes) {
  const SectionTexts& t = Texts();
  const double unitWeight = TextToReal(page.FieldText(FieldId::UnitWeight));

  const std::optional<std::string> date =
      DateLine(TextToInt(page.FieldText(FieldId::Year)), TextToInt(page.FieldText(FieldId::Month)),
               TextToInt(page.FieldText(FieldId::Day)));
  if (date) writer_.ReportLine(0, *date, 7);
  writer_.ReportLine(2, t.ProjectName + NameFieldText(page, FieldId::ProjectName), 7);
  memberNameLine_ = MemberNameLine(NameFieldText(page, FieldId::MemberName), unitWeight);
  writer_.ReportLine(2, memberNameLine_, 9);
  writer_.ReportLine(0, t.Rule, 7);

  writer_.ReportLine(0, t.CutListTitle, 7);
  const int32_t cutCount = std::clamp(job.CutCount, 0, kTableCapacity);
  WriteFourColumnList(writer_, cutCount, [&](int32_t k) { return job.CutTable[k]; });
  writer_.ReportLine(0, t.Rule, 7);

  writer_.ReportLine(0, t.StockListTitle, 7);
  TallyRequiredStock(job, plan);
  WriteFourColumnList(writer_, requiredStockCount_, [&](int32_t k) {
    const RequiredStockEntry& entry = requiredStock_[k];
    return TLengthRow{job.StockTable[entry.StockRow].Length, entry.Bars, 0};
  });
  writer_.ReportLine(0, t.Rule, 7);

  writer_.ReportLine(
      1, MarginKerfLine(TextToInt(page.FieldText(FieldId::Margin)), TextToInt(page.FieldText(FieldId::Kerf))),
      7);
  writer_.ReportLine(0, t.Rule, 7);
  writer_.ReportLine(
      0, LengthTotalsLine(plan.StockLength, plan.MemberLength, plan.LeftoverLength, plan.LeftoverRate), 7);
  if (unitWeight > 0) {
    writer_.ReportLine(0, WeightTotalsLine(plan.StockLength, plan.MemberLength, unitWeight, plan.LossRate),
                       9);
  }
  for (const std::string& note : notes) writer_.ReportLine(0, note, 7);
  writer_.ReportLine(0, t.Rule, 7);

  const int32_t patternCount = std::clamp(plan.PatternCount, 0, kMaxPatterns);
  for (int32_t p = 1; p <= patternCount; p += kPatternsPerBlock) {
    WritePatternBlock(writer_, job, plan, p, memberNameLine_);
  }
  writer_.ReportLine(0, t.End, 6);
  writer_.Finish();
}

}  // namespace yobina
