#include "diagram/bar_geometry.h"

#include <algorithm>
#include <cmath>

namespace yobina {
namespace {

// The end of `count` pieces laid from x: full kerfs while they fit on the bar,
// then one kerf cut short at the bar's end, then pieces without kerfs.
double RunEnd(double x, double length, double kerf, double count, double barLength) {
  const double step = length + kerf;
  if (x + count * step <= barLength) return x + count * step;
  double fullSteps = 0;
  if (step > 0 && barLength > x) fullSteps = std::min(std::floor((barLength - x) / step), count - 1);
  const double afterFull = x + fullSteps * step;
  return std::max(barLength, afterFull + length) + (count - fullSteps - 1) * length;
}

}  // namespace

double NextPieceStart(double x, double length, double kerf, double barLength) {
  return RunEnd(x, std::max(0.0, length), std::max(0.0, kerf), 1, barLength);
}

int32_t StockLengthOf(const TJob& job, const TCutPattern& pattern) {
  const int32_t stockCount = std::clamp(job.StockCount, 0, kTableCapacity);
  const bool known = pattern.StockRow >= 1 && pattern.StockRow <= stockCount;
  return known ? job.StockTable[pattern.StockRow].Length : 0;
}

TBarGeometry BarGeometryOf(const TJob& job, const TCutPattern& pattern) {
  TBarGeometry bar;
  bar.StockLength = StockLengthOf(job, pattern);
  bar.BarLength = std::max(0.0, static_cast<double>(bar.StockLength));
  bar.Leftover = pattern.Leftover;

  const double kerf = std::max(0.0, static_cast<double>(job.Kerf));
  const int32_t cutCount = std::clamp(job.CutCount, 0, kTableCapacity);
  double x = 0;
  for (int32_t row = cutCount; row >= 1; --row) {
    const int32_t count = pattern.PieceCount[row];
    if (count <= 0) continue;
    TPieceRun run;
    run.CutRow = row;
    run.Length = job.CutTable[row].Length;
    run.Count = count;
    run.Start = x;
    x = RunEnd(x, std::max(0.0, static_cast<double>(run.Length)), kerf, count, bar.BarLength);
    run.End = x;
    bar.Runs.push_back(run);
  }
  bar.CutsEnd = x;
  bar.Extent = std::max(bar.BarLength, x);
  return bar;
}

}  // namespace yobina
