// The fast optimizer against the plain reference version on random jobs:
// identical plans, progress reports and random sequences.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

#include "optimizer/cut_index.h"
#include "optimizer/optimizer.h"
#include "optimizer/optimizer_test_support.h"
#include "optimizer/random_job.h"
#include "optimizer/random_step.h"
#include "optimizer/reference_optimizer.h"
#include "optimizer/start_row_stream.h"

namespace yobina::test {
namespace {

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Piece counts past the cut table's rows carry no meaning and are not compared.
void ExpectSamePattern(const TCutPattern& fast, const TCutPattern& plain, int32_t cutCount) {
  EXPECT_EQ(fast.StockRow, plain.StockRow);
  EXPECT_TRUE(SameBits(fast.Leftover, plain.Leftover)) << fast.Leftover << " vs " << plain.Leftover;
  EXPECT_TRUE(SameBits(fast.LeftoverPercent, plain.LeftoverPercent));
  for (int32_t k = 1; k <= cutCount; ++k) EXPECT_EQ(fast.PieceCount[k], plain.PieceCount[k]) << "row " << k;
  EXPECT_EQ(fast.BarCount, plain.BarCount);
}

void ExpectSamePlan(const TCutPlan& fast, const TCutPlan& plain, int32_t cutCount) {
  ASSERT_EQ(fast.PatternCount, plain.PatternCount);
  EXPECT_TRUE(SameBits(fast.MemberLength, plain.MemberLength));
  if (fast.PatternCount == 0) return;  // the other totals are stale then
  EXPECT_TRUE(SameBits(fast.StockLength, plain.StockLength));
  EXPECT_TRUE(SameBits(fast.LeftoverLength, plain.LeftoverLength));
  EXPECT_TRUE(SameBits(fast.LeftoverRate, plain.LeftoverRate));
  EXPECT_TRUE(SameBits(fast.LossRate, plain.LossRate));
  for (int32_t i = 1; i <= fast.PatternCount; ++i) {
    SCOPED_TRACE("pattern " + std::to_string(i));
    ExpectSamePattern(fast.Patterns[i], plain.Patterns[i], cutCount);
  }
}

void ExpectSameRun(const TJob& job, int32_t trials) {
  TJob fastJob = job;
  TJob plainJob = job;
  Optimizer fast;
  ReferenceOptimizer plain;
  RecordingProgress fastProgress;
  RecordingProgress plainProgress;
  fast.RunTrials(fastJob, trials, fastProgress);
  plain.RunTrials(plainJob, trials, plainProgress);

  ExpectSamePlan(fast.BestPlan(), plain.BestPlan(), job.CutCount);
  EXPECT_EQ(fast.Seed(), plain.Seed());
  ASSERT_EQ(fastProgress.reports.size(), plainProgress.reports.size());
  for (size_t i = 0; i < fastProgress.reports.size(); ++i) {
    const TrialReport& a = fastProgress.reports[i];
    const TrialReport& b = plainProgress.reports[i];
    EXPECT_EQ(a.Trial, b.Trial);
    EXPECT_TRUE(SameBits(a.LossRate, b.LossRate));
    EXPECT_TRUE(SameBits(a.BestLossRate, b.BestLossRate));
  }
  EXPECT_GE(fastProgress.checkpoints, trials);
  EXPECT_FALSE(fast.StopRequested());
  // The working counts end as the last trial left them.
  for (int32_t k = 0; k <= job.StockCount; ++k) {
    EXPECT_EQ(fastJob.StockTable[k].Length, plainJob.StockTable[k].Length);
    EXPECT_EQ(fastJob.StockTable[k].Remaining, plainJob.StockTable[k].Remaining);
  }
  for (int32_t k = 1; k <= job.CutCount; ++k)
    EXPECT_EQ(fastJob.CutTable[k].Remaining, plainJob.CutTable[k].Remaining);
}

struct Family {
  const char* name;
  JobShape shape;
  int32_t jobs;
  int32_t trials;
  void (*finish)(TJob& job, JobRandom& random) = nullptr;  // changes beyond the shape
};

// Keeps the listed test names short: the family's name instead of its bytes.
void PrintTo(const Family& family, std::ostream* out) {
  *out << family.name;
}

JobShape Shape(auto adjust) {
  JobShape shape;
  shape.maxStockCount = 20;
  shape.maxCutCount = 20;
  adjust(shape);
  return shape;
}

const Family kFamilies[] = {
    {"TypicalSorted", Shape([](JobShape&) {}), 70, 10},
    {"PastTheEarlyStopBound", Shape([](JobShape& s) {
       s.maxStockRows = 8;
       s.maxCutRows = 12;
       s.maxCutCount = 12;
     }),
     30, 55},
    // Past trial 50 a step's bars run in one loop; few pieces a row make rows run out.
    {"ManyBarsFewPieces", Shape([](JobShape& s) {
       s.maxStockCount = 6;
       s.maxCutCount = 4;
       s.maxCutRows = 40;
     }),
     20, 60},
    {"UnsortedTables", Shape([](JobShape& s) { s.sorted = false; }), 40, 10},
    {"ShortStockOnly", Shape([](JobShape& s) {
       s.minStockLength = 500;
       s.maxStockLength = 4999;
       s.maxCutLength = 3000;
     }),
     30, 10},
    {"MostlyInfeasible", Shape([](JobShape& s) {
       s.maxStockCount = 3;
       s.maxCutLength = 15000;
     }),
     30, 10},
    {"ZeroAndNegativeCounts", Shape([](JobShape& s) { s.oddCountPercent = 25; }), 40, 10},
    {"NegativeLengthsMarginsKerfs", Shape([](JobShape& s) {
       s.negativePercent = 20;
       s.maxMargin = 3000;
       s.maxCutCount = 10;
     }),
     30, 10},
    {"BigMarginsAndKerfs", Shape([](JobShape& s) {
       s.maxMargin = 8000;
       s.maxKerf = 2000;
       s.maxCutCount = 15;
     }),
     15, 10},
    {"WiderThanOneMaskWord", Shape([](JobShape& s) {
       s.maxStockRows = 100;
       s.maxCutRows = 100;
       s.maxCutCount = 6;
       s.maxStockCount = 8;
     }),
     6, 10},
    {"BarsPastTheShortestPieceSentinel", Shape([](JobShape& s) {
       s.maxStockRows = 5;
       s.minStockLength = 400000;
       s.maxStockLength = 2500000;
       s.maxStockCount = 5;
       s.maxCutRows = 10;
       s.minCutLength = 1000;
       s.maxCutLength = 600000;
       s.maxCutCount = 4;
     }),
     20, 10},
    {"TinyPiecesOnLongBars", Shape([](JobShape& s) {
       s.maxStockRows = 3;
       s.minStockLength = 20000;
       s.maxStockLength = 60000;
       s.maxCutRows = 4;
       s.minCutLength = 1;
       s.maxCutLength = 40;
       s.maxCutCount = 3000;
     }),
     10, 5},
    // Up to 63 pieces of a row on a bar: the most before runs are placed at once.
    {"TinyPiecesJustShortOfRuns", Shape([](JobShape& s) {
       s.maxStockRows = 3;
       s.minStockLength = 20000;
       s.maxStockLength = 60000;
       s.maxCutRows = 6;
       s.minCutLength = 1;
       s.maxCutLength = 300;
       s.maxCutCount = 63;
     }),
     15, 5},
    // Pieces of a few mm: thousands on a bar, around the most one attempt of
    // the fast loop may place.
    {"ThousandsOfPiecesABar", Shape([](JobShape& s) {
       s.maxStockRows = 3;
       s.minStockLength = 6000;
       s.maxStockLength = 14000;
       s.maxCutRows = 3;
       s.minCutLength = 2;
       s.maxCutLength = 4;
       s.maxCutCount = 4000;
       s.maxMargin = 0;
       s.maxKerf = 1;
     }),
     8, 2},
    // Rows of one to three pieces: more rows can run out on a bar than the
    // fast loop counts, so whole steps take the exact way.
    {"ManyRowsRunningOut", Shape([](JobShape& s) {
       s.maxCutRows = 35;
       s.minCutLength = 100;
       s.maxCutLength = 1500;
       s.maxCutCount = 3;
       s.minStockLength = 6000;
     }),
     20, 5},
    // A kerf of about -1000 mm: tiny pieces add free length, so attempts
    // place every piece, the longer ones taking some back; a wide margin lets
    // the free length pass 999999 - margin, from where the rest is placed at once.
    {"PiecesAddingFreeLength", Shape([](JobShape& s) {
       s.maxStockRows = 3;
       s.maxCutRows = 5;
       s.maxCutCount = 600;
     }),
     12, 3,
     [](TJob& job, JobRandom& random) {
       job.Kerf = random.Between(-1000, -900);
       job.Margin = random.Chance(50) ? random.Between(0, 990000) : 0;
       for (int32_t k = 1; k <= job.CutCount; ++k) {
         const bool tiny = random.Chance(70);
         job.CutTable[k].Length = tiny ? random.Between(1, 60) : random.Between(900, 2500);
         if (!tiny) job.CutTable[k].Count = random.Between(1, 40);
       }
       ExchangeSort(job.CutTable, job.CutCount);
     }},
};

class OptimizerDifferential : public ::testing::TestWithParam<Family> {};

TEST_P(OptimizerDifferential, RandomJobsGiveIdenticalRuns) {
  const Family& family = GetParam();
  uint64_t seed = 14695981039346656037u;  // FNV-1a of the name: each family its own jobs
  for (const char* c = family.name; *c != 0; ++c)
    seed = (seed ^ static_cast<unsigned char>(*c)) * 1099511628211u;
  JobRandom random(seed);
  for (int32_t n = 0; n < family.jobs; ++n) {
    SCOPED_TRACE("job " + std::to_string(n));
    TJob job = RandomJob(random, family.shape);
    if (family.finish != nullptr) family.finish(job, random);
    ExpectSameRun(job, family.trials);
    if (HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Families, OptimizerDifferential, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& param) { return param.param.name; });

TEST(OptimizerFillBarDifferential, RandomRemainders) {
  JobRandom random(2024);
  Optimizer fast;
  ReferenceOptimizer plain;
  for (int32_t n = 0; n < 400; ++n) {
    SCOPED_TRACE(n);
    JobShape shape;
    shape.sorted = random.Chance(70);
    shape.negativePercent = random.Chance(20) ? 15 : 0;
    shape.maxCutRows = random.Chance(10) ? 100 : 35;
    TJob job = RandomJob(random, shape);
    for (int32_t k = 1; k <= job.CutCount; ++k) job.CutTable[k].Remaining = random.Between(-2, 6);
    const int32_t stockRow = random.Between(1, job.StockCount);
    const int32_t attempts = random.Between(0, 30);
    const uint32_t seed = static_cast<uint32_t>(random.Next());
    fast.SetSeed(seed);
    plain.SetSeed(seed);
    fast.ResetBestPattern();
    plain.ResetBestPattern();
    fast.FillBar(job, stockRow, job.Kerf, job.Margin, attempts);
    plain.FillBar(job, stockRow, job.Kerf, job.Margin, attempts);
    EXPECT_EQ(fast.Seed(), plain.Seed());
    EXPECT_EQ(fast.BestPattern().StockRow, plain.BestPattern().StockRow);
    if (plain.BestPattern().StockRow != 0)
      ExpectSamePattern(fast.BestPattern(), plain.BestPattern(), job.CutCount);
    if (HasFailure()) return;
  }
}

// Tables of 61 to 64 rows, sorted and not: the generator takes different
// ways on either side of 62 and 63 rows.
TEST(OptimizerFillBarDifferential, RowCountsAroundOneMaskWord) {
  JobRandom random(62);
  Optimizer fast;
  ReferenceOptimizer plain;
  for (int32_t n = 0; n < 160; ++n) {
    SCOPED_TRACE(n);
    JobShape shape;
    TJob job = RandomJob(random, shape);
    job.CutCount = 61 + n % 4;
    for (int32_t k = 1; k <= job.CutCount; ++k) {
      job.CutTable[k] = {random.Between(100, 3000), random.Between(1, 4), 0};
      job.CutTable[k].Remaining = random.Between(0, 3);
    }
    if (n % 8 < 6) ExchangeSort(job.CutTable, job.CutCount);
    const int32_t stockRow = random.Between(1, job.StockCount);
    const uint32_t seed = static_cast<uint32_t>(random.Next());
    fast.SetSeed(seed);
    plain.SetSeed(seed);
    fast.ResetBestPattern();
    plain.ResetBestPattern();
    fast.FillBar(job, stockRow, job.Kerf, job.Margin, 20);
    plain.FillBar(job, stockRow, job.Kerf, job.Margin, 20);
    EXPECT_EQ(fast.Seed(), plain.Seed());
    EXPECT_EQ(fast.BestPattern().StockRow, plain.BestPattern().StockRow);
    if (plain.BestPattern().StockRow != 0)
      ExpectSamePattern(fast.BestPattern(), plain.BestPattern(), job.CutCount);
    if (HasFailure()) return;
  }
}

// The draw stream against the generator's step, through refills and skips.
TEST(StartRowStreamDifferential, SameStartRowsAsTheStep) {
  for (const uint32_t rows : {1u, 7u, 35u, 100u}) {
    SCOPED_TRACE(rows);
    StartRowStream stream;
    stream.Reset(12345, rows);
    uint32_t seed = 12345;
    for (uint32_t i = 1; i <= 3 * StartRowStream::kCapacity; ++i) {
      if (i % 2000 == 0) {  // past the held draws from time to time
        stream.Skip(i);
        for (uint32_t skipped = 0; skipped < i; ++skipped) seed = NextSeed(seed);
      }
      ASSERT_EQ(stream.Next(), static_cast<int32_t>(StepRandom(seed, 99999) % rows + 1)) << i;
    }
    EXPECT_EQ(stream.Seed(), seed);
  }
  uint32_t seed = 7;
  for (uint64_t draws = 0; draws < 5000; ++draws, seed = NextSeed(seed))
    ASSERT_EQ(AdvanceSeed(7, draws), seed);
}

TEST(FastModuloDifferential, EveryDrawForEveryRowCount) {
  for (uint32_t rows = 1; rows <= 127; ++rows) {
    const FastModulo modulo = FastModulo::For(rows);
    for (uint32_t x = 0; x <= FastModulo::kMaxValue; ++x) {
      if (modulo(x) != x % rows) FAIL() << x << " % " << rows;
    }
  }
  const FastModulo widest = FastModulo::For(FastModulo::kMaxDivisor);
  for (uint32_t x = 0; x <= FastModulo::kMaxValue; x += 7) ASSERT_EQ(widest(x), x % FastModulo::kMaxDivisor);
}

}  // namespace
}  // namespace yobina::test
