#include "optimizer/optimizer_test_support.h"

#include <cstdio>

namespace yobina::test {

TJob MakeJob(std::initializer_list<Row> stock, std::initializer_list<Row> cut, int32_t margin, int32_t kerf) {
  TJob job;
  for (const Row& row : stock) {
    ++job.StockCount;
    job.StockTable[job.StockCount] = {row.Length, row.Count, row.Count};
  }
  for (const Row& row : cut) {
    ++job.CutCount;
    job.CutTable[job.CutCount] = {row.Length, row.Count, row.Count};
  }
  job.Margin = margin;
  job.Kerf = kerf;
  return job;
}

std::string ThreeDecimals(double rate) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", rate);
  return text;
}

}  // namespace yobina::test
