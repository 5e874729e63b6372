#include "exact/cutting_model.h"

#include <cmath>
#include <numeric>

namespace yobina {

int64_t PatternWeight(const CuttingModel& model, const CutPattern& pattern) {
  int64_t weight = 0;
  for (size_t i = 0; i < model.Items.size(); ++i) weight += pattern.Pieces[i] * model.Items[i].Weight;
  return weight;
}

int64_t StockTotalStep(const CuttingModel& model) {
  int64_t step = 0;
  for (const StockType& type : model.Types) {
    if (type.MaxBars > type.MinBars) step = std::gcd(step, int64_t{type.Length});
  }
  return step > 0 ? step : 1;
}

void TakeUsedPatterns(const std::vector<CutPattern>& columns, const std::vector<double>& values,
                      std::vector<CutPattern>& patterns, std::vector<int32_t>& bars) {
  for (size_t p = 0; p < columns.size() && p < values.size(); ++p) {
    const auto count = static_cast<int32_t>(std::lround(values[p]));
    if (count <= 0) continue;
    patterns.push_back(columns[p]);
    bars.push_back(count);
  }
}

int64_t StockLengthOf(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                      const std::vector<int32_t>& bars) {
  int64_t total = 0;
  for (size_t p = 0; p < patterns.size(); ++p) {
    total += int64_t{model.Types[patterns[p].Type].Length} * bars[p];
  }
  return total;
}

}  // namespace yobina
