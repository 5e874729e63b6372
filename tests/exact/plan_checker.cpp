#include "exact/plan_checker.h"

#include <algorithm>
#include <vector>

#include "optimizer/random_job.h"
#include "text/numeric.h"

namespace yobina::testing {

namespace {

std::string At(int32_t p, const std::string& what) {
  return "pattern " + std::to_string(p) + ": " + what;
}

}  // namespace

std::string CheckPlan(const TJob& job, const TCutPlan& plan) {
  if (plan.PatternCount < 1 || plan.PatternCount > kMaxPatterns) return "pattern count out of range";
  const int32_t stockRows = std::clamp(job.StockCount, 0, kTableCapacity);
  const int32_t cutRows = std::clamp(job.CutCount, 0, kTableCapacity);
  std::vector<int64_t> barsUsed(kTableCapacity + 1, 0), supplied(kTableCapacity + 1, 0);
  double stockLength = 0, leftoverLength = 0;
  bool anyLong = false;
  for (int32_t p = 1; p <= plan.PatternCount; ++p) {
    const TCutPattern& pattern = plan.Patterns[p];
    if (pattern.StockRow < 1 || pattern.StockRow > stockRows) return At(p, "no stock row");
    if (pattern.BarCount < 1) return At(p, "no bars");
    if (p > 1) {
      const TCutPattern& before = plan.Patterns[p - 1];
      if (before.StockRow > pattern.StockRow ||
          (before.StockRow == pattern.StockRow && before.BarCount < pattern.BarCount)) {
        return At(p, "out of report order");
      }
    }
    const int64_t length = job.StockTable[pattern.StockRow].Length;
    int64_t pieces = 0, pieceLength = 0;
    for (int32_t k = 1; k <= kTableCapacity; ++k) {
      const int32_t count = pattern.PieceCount[k];
      if (count == 0) continue;
      if (count < 0 || k > cutRows) return At(p, "bad piece count");
      pieces += count;
      pieceLength += int64_t{count} * job.CutTable[k].Length;
      supplied[k] += int64_t{count} * pattern.BarCount;
    }
    if (pieces > 0 && pieceLength + (pieces - 1) * job.Kerf > length + job.Margin)
      return At(p, "pieces do not fit");
    const int64_t free = std::max<int64_t>(0, length - pieceLength - pieces * job.Kerf);
    if (pattern.Leftover != static_cast<double>(free)) return At(p, "wrong leftover");
    if (pattern.LeftoverPercent != static_cast<double>(100 * free) / static_cast<double>(length)) {
      return At(p, "wrong leftover percent");
    }
    barsUsed[pattern.StockRow] += pattern.BarCount;
    stockLength += static_cast<double>(length * pattern.BarCount);
    leftoverLength += pattern.BarCount * pattern.Leftover;
    if (length >= job.SmallStockLimit) anyLong = true;
  }
  for (int32_t k = 1; k <= cutRows; ++k) {
    if (supplied[k] != std::max(job.CutTable[k].Count, 0))
      return "cut row " + std::to_string(k) + " not supplied";
  }
  for (int32_t k = 1; k <= stockRows; ++k) {
    const TLengthRow& row = job.StockTable[k];
    if (barsUsed[k] > std::max(row.Count, 0)) return "stock row " + std::to_string(k) + " overdrawn";
    if (anyLong && row.Length < job.SmallStockLimit && barsUsed[k] < row.Count) {
      return "short stock row " + std::to_string(k) + " not used up";
    }
  }
  double memberLength = 0;
  for (int32_t k = 1; k <= cutRows; ++k) {
    memberLength += static_cast<double>(static_cast<int64_t>(job.CutTable[k].Length) * job.CutTable[k].Count);
  }
  if (plan.MemberLength != memberLength || plan.StockLength != stockLength ||
      plan.LeftoverLength != leftoverLength) {
    return "wrong totals";
  }
  if (plan.LeftoverRate != leftoverLength * 100 / RealMax(stockLength, 1) ||
      plan.LossRate != RealMax(stockLength - memberLength, 0) * 100 / RealMax(memberLength, 1)) {
    return "wrong rates";
  }
  return {};
}

TJob ThirdsAndQuartersJob(uint64_t seed) {
  constexpr int32_t kBar = 6000;
  JobRandom random(seed * 7919 + 2);
  TJob job;
  job.StockCount = 1;
  job.StockTable[1] = {kBar, 300, 0};
  job.CutCount = random.Between(30, 35);
  for (int32_t k = 1; k <= job.CutCount; ++k) {
    job.CutTable[k] = {random.Between(kBar / 4 - 100, kBar / 3 + 100), random.Between(1, 6), 0};
  }
  ExchangeSort(job.CutTable, job.CutCount);
  return job;
}

}  // namespace yobina::testing
