#include "optimizer/random_job.h"

#include <utility>

namespace yobina::test {

uint64_t JobRandom::Next() {
  state_ += 0x9E3779B97F4A7C15u;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

int32_t JobRandom::Between(int32_t lo, int32_t hi) {
  const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(hi) - lo) + 1;
  return static_cast<int32_t>(lo + static_cast<int64_t>(Next() % span));
}

void ExchangeSort(TLengthTable& table, int32_t count) {
  for (int32_t i = 1; i <= count - 1; ++i) {
    for (int32_t j = i + 1; j <= count; ++j) {
      if (table[i].Length > table[j].Length) {
        table[0] = table[i];
        table[i] = table[j];
        table[j] = table[0];
      }
    }
  }
}

namespace {

int32_t RandomCount(JobRandom& random, int32_t maxCount, int32_t oddPercent) {
  if (random.Chance(oddPercent)) return random.Between(-3, 0);
  return random.Between(1, maxCount);
}

int32_t RandomLength(JobRandom& random, int32_t lo, int32_t hi, int32_t negativePercent) {
  const int32_t length = random.Between(lo, hi);
  return random.Chance(negativePercent) ? -length : length;
}

}  // namespace

TJob RandomJob(JobRandom& random, const JobShape& shape) {
  TJob job;
  job.StockCount = random.Between(1, shape.maxStockRows);
  for (int32_t k = 1; k <= job.StockCount; ++k) {
    job.StockTable[k].Length =
        RandomLength(random, shape.minStockLength, shape.maxStockLength, shape.negativePercent);
    job.StockTable[k].Count = RandomCount(random, shape.maxStockCount, shape.oddCountPercent);
  }
  job.CutCount = random.Between(1, shape.maxCutRows);
  for (int32_t k = 1; k <= job.CutCount; ++k) {
    job.CutTable[k].Length =
        RandomLength(random, shape.minCutLength, shape.maxCutLength, shape.negativePercent);
    job.CutTable[k].Count = RandomCount(random, shape.maxCutCount, shape.oddCountPercent);
  }
  job.Margin = random.Between(0, shape.maxMargin);
  job.Kerf = random.Between(0, shape.maxKerf);
  if (random.Chance(shape.negativePercent)) job.Margin = -job.Margin;
  if (random.Chance(shape.negativePercent)) job.Kerf = -job.Kerf;
  if (shape.sorted) {
    ExchangeSort(job.StockTable, job.StockCount);
    ExchangeSort(job.CutTable, job.CutCount);
  }
  return job;
}

TJob LargestInputJob(uint64_t seed) {
  JobRandom random(seed);
  TJob job;
  job.StockCount = kGridDataRows;
  for (int32_t k = 1; k <= job.StockCount; ++k) {
    job.StockTable[k] = {random.Between(5000, 12000), random.Between(10, 60), 0};
  }
  job.CutCount = kGridDataRows;
  for (int32_t k = 1; k <= job.CutCount; ++k) {
    job.CutTable[k] = {random.Between(300, 4800), random.Between(10, 60), 0};
  }
  job.Margin = 10;
  job.Kerf = 5;
  ExchangeSort(job.StockTable, job.StockCount);
  ExchangeSort(job.CutTable, job.CutCount);
  return job;
}

}  // namespace yobina::test
