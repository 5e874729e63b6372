#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/plan_export.h"
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

  std::string csv = "\xEF\xBB\xBF";
  csv += Cp932ToUtf8(Cp932("パターン,素材長(mm),本数,"));
  for (int32_t k = 1; k <= cutCount; ++k) csv += IntText(plan.CutRow(k).Length, 0) + ",";
  csv += Cp932ToUtf8(Cp932("残材長(mm),"));
  EndRow(csv);

  int64_t totalBars = 0;
  double totalStock = 0;
  double totalLeftover = 0;
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
    EndRow(csv);
    totalBars += pattern.BarCount;
    totalStock += static_cast<double>(stockLength) * pattern.BarCount;
    totalLeftover += pattern.Leftover * pattern.BarCount;
  }

  csv += Cp932ToUtf8(Cp932("合計,")) + Mm(totalStock) + "," + IntText(totalBars, 0) + ",";
  for (int32_t k = 1; k <= cutCount; ++k) csv += IntText(totalPieces[k], 0) + ",";
  csv += Mm(totalLeftover) + ",";
  EndRow(csv);
  return csv;
}

}  // namespace yobina
