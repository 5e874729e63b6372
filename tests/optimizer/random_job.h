// Reproducible random cutting jobs for the differential test and the benchmark.
#pragma once

#include <cstdint>

#include "job/job.h"

namespace yobina::test {

// splitmix64: the same numbers on every platform and standard library.
class JobRandom {
 public:
  explicit JobRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  // Uniform in lo..hi (inclusive).
  int32_t Between(int32_t lo, int32_t hi);
  bool Chance(int32_t percent) { return Between(1, 100) <= percent; }

 private:
  uint64_t state_;
};

struct JobShape {
  int32_t maxStockRows = 35;
  int32_t minStockLength = 1000;
  int32_t maxStockLength = 13000;
  int32_t maxStockCount = 40;
  int32_t maxCutRows = 35;
  int32_t minCutLength = 100;
  int32_t maxCutLength = 6000;
  int32_t maxCutCount = 40;
  int32_t maxMargin = 50;
  int32_t maxKerf = 10;
  int32_t oddCountPercent = 0;  // zero or negative counts
  int32_t negativePercent = 0;  // negative lengths, margins and kerfs
  bool sorted = true;
};

TJob RandomJob(JobRandom& random, const JobShape& shape);

// Ascending by Length with the program's exchange sort (rows 1..count, row 0 as the swap slot).
void ExchangeSort(TLengthTable& table, int32_t count);

// The largest job the input page allows: 35 stock rows of 5000-12000 mm and
// 35 cut rows of 300-4800 mm with tens of bars and pieces each, margin and
// kerf set, both tables sorted.
TJob LargestInputJob(uint64_t seed);

}  // namespace yobina::test
