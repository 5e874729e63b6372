#include "report/pattern_table.h"

#include <algorithm>

#include "report/report_text.h"
#include "text/codec.h"
#include "text/number_text.h"

namespace yobina {
namespace {

// The cells of a pattern column: lengths five wide, counts four wide.
constexpr NumberFormat kLengthCell{5, 0};
constexpr NumberFormat kCountCell{4, 0};

struct TableTexts {
  std::string Cell = Cp932("───");
  std::string TopBorder = Cp932("┌") + Cell + RepeatText(Cp932("┬") + Cell, kPatternsPerBlock) + Cp932("┐");
  std::string Separator = Cp932("├") + Cell + RepeatText(Cp932("┼") + Cell, kPatternsPerBlock) + Cp932("┤");
  std::string BottomBorder =
      Cp932("└") + Cell + RepeatText(Cp932("┴") + Cell, kPatternsPerBlock) + Cp932("┘");
  std::string Bar = Cp932("│");
  std::string StockLabel = Cp932("│素材長");
  std::string BarsLabel = Cp932("│必要数");
  std::string LeftoverLabel = Cp932("│残材長");
  std::string Bars = Cp932("本");
  std::string BlankCell = Spaces(6);
};

const TableTexts& Texts() {
  static const TableTexts texts;
  return texts;
}

// Stock-table length of a pattern's bar; 0 for a row outside the table.
int32_t StockLengthOf(const TJob& job, const TCutPattern& pattern) {
  const int32_t row = pattern.StockRow;
  return row >= 0 && row <= kTableCapacity ? job.StockTable[row].Length : 0;
}

// A table row: the label cell, then one cell per column of the block (blank past
// the plan), then the closing bar.
template <typename CellText>
std::string TableRow(const std::string& label, const TCutPlan& plan, int32_t first, CellText cellText) {
  const TableTexts& t = Texts();
  const int32_t patternCount = std::min(plan.PatternCount, kMaxPatterns);
  std::string row = label;
  for (int32_t q = first; q < first + kPatternsPerBlock; ++q) {
    row += t.Bar;
    row += q <= patternCount ? cellText(plan.Patterns[q]) : t.BlankCell;
  }
  row += t.Bar;
  return row;
}

}  // namespace

void WritePatternBlock(LineWriter& writer, const TJob& job, const TCutPlan& plan, int32_t first,
                       const std::string& memberNameLine) {
  const TableTexts& t = Texts();
  const int32_t cutCount = std::clamp(job.CutCount, 0, kTableCapacity);

  writer.EnsureRoom(cutCount * 6.7 + 29);
  writer.ReportLine(2, memberNameLine, 7);
  writer.ReportLine(0, t.TopBorder, 4);
  writer.ReportLine(0,
                    TableRow(t.StockLabel, plan, first,
                             [&](const TCutPattern& pattern) {
                               return RealToTextSpaceZero(kLengthCell, StockLengthOf(job, pattern)) + " ";
                             }),
                    5);
  writer.ReportLine(
      0,
      TableRow(t.BarsLabel, plan, first,
               [&](const TCutPattern& pattern) { return RealToText(kCountCell, pattern.BarCount) + t.Bars; }),
      7);
  for (int32_t k = 1; k <= cutCount; ++k) {
    writer.ReportLine(0, t.Separator, 5);
    if (k == 1 && writer.IsPrinter()) writer.ReportLine(0, t.Separator, 1);
    const std::string label = t.Bar + IntText(job.CutTable[k].Length, 5) + "=";
    writer.ReportLine(0,
                      TableRow(label, plan, first,
                               [&](const TCutPattern& pattern) {
                                 return RealToTextSpaceZero(kCountCell, pattern.PieceCount[k]) + "  ";
                               }),
                      5);
  }
  writer.ReportLine(0, t.Separator, 5);
  if (writer.IsPrinter()) writer.ReportLine(0, t.Separator, 1);
  writer.ReportLine(0,
                    TableRow(t.LeftoverLabel, plan, first,
                             [&](const TCutPattern& pattern) {
                               return RealToTextSpaceZero(kLengthCell, pattern.Leftover) + " ";
                             }),
                    5);
  writer.ReportLine(0, t.BottomBorder, 5);
}

}  // namespace yobina
