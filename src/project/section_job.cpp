#include "project/section_job.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "job/job_io.h"
#include "project/section_pricing.h"

namespace yobina {
namespace {

int32_t Saturated(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, 0, INT32_MAX));
}

int32_t OnHandOf(const SectionInput& section, int32_t length) {
  const auto row = std::find_if(section.OnHand.begin(), section.OnHand.end(),
                                [&](const BarsOnHand& bars) { return bars.Length == length; });
  return row == section.OnHand.end() ? 0 : row->Count;
}

// Bars the plan cuts of each stock row (index 1..StockCount).
std::vector<int64_t> BarsPerRow(const TJob& job, const TCutPlan& plan) {
  std::vector<int64_t> bars(static_cast<size_t>(job.StockCount) + 1, 0);
  for (int32_t p = 1; p <= plan.PatternCount; ++p) {
    const TCutPattern& pattern = plan.Patterns[p];
    if (pattern.StockRow >= 1 && pattern.StockRow <= job.StockCount)
      bars[static_cast<size_t>(pattern.StockRow)] += pattern.BarCount;
  }
  return bars;
}

}  // namespace

TJob SectionJob(const SectionInput& section, const std::vector<int32_t>& offered) {
  TJob job;
  job.Kerf = section.Kerf;
  job.Margin = section.Margin;
  job.SmallStockLimit = kSmallStockLimit;
  for (const BuyableLength& length : section.Lengths)
    job.SmallStockLimit = std::min(job.SmallStockLimit, length.Length);
  for (const CutRow& row : section.Cuts) {
    if (job.CutCount == kTableCapacity) break;
    job.CutTable[++job.CutCount] = {row.Length, row.Count, 0};
  }
  std::map<int32_t, int64_t> stock;
  for (const BarsOnHand& bars : section.OnHand) stock[bars.Length] += bars.Count;
  for (const int32_t length : offered) stock[length] += section.Pieces();
  for (const auto& [length, count] : stock) {
    if (job.StockCount == kTableCapacity) break;
    job.StockTable[++job.StockCount] = {length, Saturated(count), 0};
  }
  SortStockTable(job);
  SortCutTable(job);
  return job;
}

std::vector<PurchaseLine> PurchaseOf(const SectionInput& section, const TJob& job, const TCutPlan& plan) {
  const std::vector<int64_t> bars = BarsPerRow(job, plan);
  std::vector<PurchaseLine> lines;
  for (int32_t r = 1; r <= job.StockCount; ++r) {
    if (bars[static_cast<size_t>(r)] == 0) continue;
    PurchaseLine line;
    line.Length = job.StockTable[r].Length;
    const int64_t used = bars[static_cast<size_t>(r)];
    line.FromStock = Saturated(std::min<int64_t>(used, OnHandOf(section, line.Length)));
    line.Bought = Saturated(used - line.FromStock);
    if (const std::optional<double> kg = BarKg(section, line.Length))
      line.WeightKg = std::llround(*kg * line.Bought);
    if (line.Bought == 0) {
      line.Yen = 0;
    } else if (const std::optional<double> yen = BarYen(section, line.Length)) {
      line.Yen = std::llround(*yen * line.Bought);
    }
    lines.push_back(line);
  }
  return lines;
}

TJob UsedStockJob(const TJob& job, TCutPlan& plan) {
  const std::vector<int64_t> bars = BarsPerRow(job, plan);
  TJob used = job;
  used.StockCount = 0;
  std::vector<int32_t> newRow(bars.size(), 0);
  for (int32_t r = 1; r <= job.StockCount; ++r) {
    if (bars[static_cast<size_t>(r)] == 0) continue;
    const int32_t count = Saturated(bars[static_cast<size_t>(r)]);
    used.StockTable[++used.StockCount] = {job.StockTable[r].Length, count, 0};
    newRow[static_cast<size_t>(r)] = used.StockCount;
  }
  for (int32_t p = 1; p <= plan.PatternCount; ++p) {
    TCutPattern& pattern = plan.Patterns[p];
    if (pattern.StockRow >= 1 && pattern.StockRow <= job.StockCount)
      pattern.StockRow = newRow[static_cast<size_t>(pattern.StockRow)];
  }
  return used;
}

}  // namespace yobina
