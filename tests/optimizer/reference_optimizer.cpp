#include "optimizer/reference_optimizer.h"

#include <algorithm>

#include "optimizer/random_step.h"

namespace yobina::test {

namespace {

double Larger(double a, double b) {
  return a > b ? a : b;
}

}  // namespace

uint32_t ReferenceOptimizer::NextRandom(uint32_t n) {
  return StepRandom(seed_, n);
}

void ReferenceOptimizer::ResetBestPattern() {
  bestPattern_.StockRow = 0;
  bestPattern_.LeftoverPercent = 999;
}

void ReferenceOptimizer::FillBar(const TJob& job, int32_t stockRow, int32_t kerf, int32_t margin,
                                 int32_t attempts) {
  const int32_t n = job.CutCount;
  const int32_t length = job.StockTable[stockRow].Length;
  for (int32_t attempt = 1; attempt <= attempts; ++attempt) {
    for (int32_t k = 1; k <= n; ++k) attemptPattern_.PieceCount[k] = 0;
    int64_t free = length;
    int64_t shortest = 0;
    for (;;) {
      if (free + margin < shortest) break;
      int32_t k = static_cast<int32_t>(NextRandom(99999) % static_cast<uint32_t>(n)) + 1;
      bool found = false;
      for (int32_t scanned = 0; scanned < n; ++scanned) {
        if (attemptPattern_.PieceCount[k] < job.CutTable[k].Remaining &&
            job.CutTable[k].Length <= free + margin) {
          found = true;
          break;
        }
        k = k == n ? 1 : k + 1;
      }
      if (!found) break;
      attemptPattern_.PieceCount[k] += 1;
      free = std::max<int64_t>(0, free - (static_cast<int64_t>(job.CutTable[k].Length) + kerf));
      free = std::min(free, kMaxFreeLength);
      bool anyNeeded = false;
      shortest = 999999;
      for (int32_t j = 1; j <= n; ++j) {
        if (attemptPattern_.PieceCount[j] < job.CutTable[j].Remaining) {
          if (!anyNeeded || job.CutTable[j].Length < shortest) shortest = job.CutTable[j].Length;
          anyNeeded = true;
        }
      }
    }
    attemptPattern_.Leftover = static_cast<double>(free);
    attemptPattern_.LeftoverPercent = static_cast<double>(100 * free) / length;
    attemptPattern_.StockRow = stockRow;
    if (attemptPattern_.LeftoverPercent < bestPattern_.LeftoverPercent) bestPattern_ = attemptPattern_;
  }
}

void ReferenceOptimizer::RunTrials(TJob& job, int32_t trials, TrialProgress& progress) {
  seed_ = 0;
  attemptPattern_ = {};
  bestPlan_.PatternCount = 0;
  bestPlan_.StockLength = 0;
  bestPlan_.LeftoverLength = 0;
  bestPlan_.LeftoverRate = 9999;
  bestPlan_.LossRate = 9999;
  double memberLength = 0;
  for (int32_t k = 1; k <= job.CutCount; ++k) {
    memberLength += static_cast<double>(static_cast<int64_t>(job.CutTable[k].Length) * job.CutTable[k].Count);
  }
  bestPlan_.MemberLength = memberLength;
  currentPlan_.MemberLength = memberLength;
  if (job.CutCount <= 0) return;

  for (int32_t t = 1; t <= trials; ++t) {
    RunTrial(job, t);
    if (currentPlan_.PatternCount != 0) {
      currentPlan_.LeftoverRate = currentPlan_.LeftoverLength * 100 / Larger(currentPlan_.StockLength, 1);
      currentPlan_.LossRate = Larger(currentPlan_.StockLength - currentPlan_.MemberLength, 0) * 100 /
                              Larger(currentPlan_.MemberLength, 1);
      if (bestPlan_.LossRate > currentPlan_.LossRate) bestPlan_ = currentPlan_;
      progress.ReportTrialProgress(currentPlan_.LossRate, t, bestPlan_.LossRate);
    }
    progress.Checkpoint();
  }
}

void ReferenceOptimizer::RunTrial(TJob& job, int32_t t) {
  for (int32_t k = 1; k <= job.StockCount; ++k) job.StockTable[k].Remaining = job.StockTable[k].Count;
  for (int32_t k = 1; k <= job.CutCount; ++k) job.CutTable[k].Remaining = job.CutTable[k].Count;
  currentPlan_.PatternCount = 0;
  currentPlan_.StockLength = 0;
  currentPlan_.LeftoverLength = 0;
  int64_t piecesLeft = 0;
  do {
    int64_t longestStock = 0;
    bool anyStock = false;
    for (int32_t k = 1; k <= job.StockCount; ++k) {
      if (job.StockTable[k].Remaining > 0) {
        if (!anyStock || job.StockTable[k].Length > longestStock) longestStock = job.StockTable[k].Length;
        anyStock = true;
      }
    }
    int64_t longestPiece = 0;
    bool anyPiece = false;
    for (int32_t k = 1; k <= job.CutCount; ++k) {
      if (job.CutTable[k].Remaining > 0) {
        if (!anyPiece || job.CutTable[k].Length > longestPiece) longestPiece = job.CutTable[k].Length;
        anyPiece = true;
      }
    }
    if (longestStock + job.Margin < longestPiece) {
      currentPlan_.PatternCount = 0;
      return;
    }

    ResetBestPattern();
    job.StockTable[0].Length = 99999;
    int32_t chosen = 0;
    for (int32_t k = 1; k <= job.StockCount; ++k) {
      if (job.StockTable[k].Remaining > 0 && job.StockTable[k].Length < job.SmallStockLimit &&
          job.StockTable[k].Length < job.StockTable[chosen].Length) {
        chosen = k;
      }
    }
    if (chosen != 0) {
      FillBar(job, chosen, job.Kerf, job.Margin, 200);
    } else {
      for (int32_t k = 1; k <= job.StockCount; ++k) {
        if (job.StockTable[k].Remaining <= 0) continue;
        FillBar(job, k, job.Kerf, job.Margin, 10);
        if (t < 50 &&
            bestPattern_.Leftover / Larger(0.1, job.StockTable[bestPattern_.StockRow].Length) < 0.05) {
          break;
        }
      }
    }

    if (bestPattern_.StockRow == 0) {  // nothing to add: the trial fails
      currentPlan_.PatternCount = 0;
      return;
    }
    TLengthRow& bar = job.StockTable[bestPattern_.StockRow];
    int32_t m = 99999;
    for (int32_t k = 1; k <= job.CutCount; ++k) {
      if (bestPattern_.PieceCount[k] > 0)
        m = std::min(m, job.CutTable[k].Remaining / bestPattern_.PieceCount[k]);
    }
    const int32_t b = std::min(bar.Remaining, m);
    if (b <= 0) {
      currentPlan_.PatternCount = 0;
      return;
    }
    if (currentPlan_.PatternCount == kMaxPatterns) {  // a 101st pattern fails the trial
      currentPlan_.PatternCount = 0;
      return;
    }
    currentPlan_.PatternCount += 1;
    currentPlan_.Patterns[currentPlan_.PatternCount] = bestPattern_;
    currentPlan_.Patterns[currentPlan_.PatternCount].BarCount = b;
    currentPlan_.StockLength += static_cast<double>(static_cast<int64_t>(bar.Length) * b);
    currentPlan_.LeftoverLength += b * bestPattern_.Leftover;
    bar.Remaining -= b;
    piecesLeft = 0;
    for (int32_t k = 1; k <= job.CutCount; ++k) {
      job.CutTable[k].Remaining -= bestPattern_.PieceCount[k] * b;
      piecesLeft += job.CutTable[k].Remaining;
    }
  } while (piecesLeft > 0);
}

}  // namespace yobina::test
