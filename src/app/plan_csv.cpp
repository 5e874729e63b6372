#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/plan_export.h"
#include "plan/offcuts.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

// Whole millimetres; a plan's lengths are whole numbers held as reals.
std::string Mm(double value) {
  return IntText(static_cast<int64_t>(std::llround(std::clamp(value, -9e15, 9e15))), 0);
}

void EndRow(std::string& csv) {
  csv.back() = '\r';  // the comma after the last cell
  csv += '\n';
}

}  // namespace

std::string PlanCsv(const PlanResult& result) {
  const Plan& plan = result.Plan;
  const int32_t cutCount = plan.CutRowCount();
  // With offcuts on, each leftover is told apart; off, the table stays as it was.
  const int32_t offcutMin = result.Document.OffcutMin;
  const bool withOffcuts = offcutMin > 0;

  std::string csv = "\xEF\xBB\xBF";
  csv += Cp932ToUtf8(Cp932("パターン,素材長(mm),本数,"));
  for (int32_t k = 1; k <= cutCount; ++k) csv += IntText(plan.CutRow(k).Length, 0) + ",";
  csv += Cp932ToUtf8(Cp932("残材長(mm),"));
  if (withOffcuts) csv += Cp932ToUtf8(Cp932("残材(mm),端材(mm),"));
  EndRow(csv);

  int64_t totalBars = 0;
  double totalStock = 0;
  double totalLeftover = 0;
  double totalOffcut = 0;
  double totalScrap = 0;
  std::vector<int64_t> totalPieces(cutCount + 1, 0);
  for (int32_t p = 1; p <= plan.PatternCount(); ++p) {
    const TCutPattern& pattern = plan.Pattern(p);
    const int32_t stockLength = plan.StockLengthOf(pattern);
    csv += IntText(p, 0) + "," + IntText(stockLength, 0) + "," + IntText(pattern.BarCount, 0) + ",";
    for (int32_t k = 1; k <= cutCount; ++k) {
      csv += IntText(pattern.PieceCount[k], 0) + ",";
      totalPieces[k] += int64_t{pattern.PieceCount[k]} * pattern.BarCount;
    }
    csv += Mm(pattern.Leftover) + ",";
    if (withOffcuts) {
      const bool offcut = KindOfLeftover(pattern.Leftover, offcutMin) == LeftoverKind::Offcut;
      csv += (offcut ? Mm(pattern.Leftover) : "0") + "," + (offcut ? "0" : Mm(pattern.Leftover)) + ",";
      (offcut ? totalOffcut : totalScrap) += pattern.Leftover * pattern.BarCount;
    }
    EndRow(csv);
    totalBars += pattern.BarCount;
    totalStock += static_cast<double>(stockLength) * pattern.BarCount;
    totalLeftover += pattern.Leftover * pattern.BarCount;
  }

  csv += Cp932ToUtf8(Cp932("合計,")) + Mm(totalStock) + "," + IntText(totalBars, 0) + ",";
  for (int32_t k = 1; k <= cutCount; ++k) csv += IntText(totalPieces[k], 0) + ",";
  csv += Mm(totalLeftover) + ",";
  if (withOffcuts) csv += Mm(totalOffcut) + "," + Mm(totalScrap) + ",";
  EndRow(csv);
  return csv;
}

}  // namespace yobina
