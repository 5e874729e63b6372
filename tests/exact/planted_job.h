// Jobs whose optimum is known by construction, for tests and the benchmark:
// K bars of one stock length L cut into pieces that fill them (exactly, or to
// within a few mm each), the pieces merged into cut rows by length, and a few
// distractor stock rows that cannot do better.
//
// Why the one optimal plan uses exactly K bars of length L (stock K * L):
// a bar of length D takes pieces of total weight Σ(l + kerf) ≤ D + c, with
// c = margin + kerf. Let σ ≥ 0 be the planted bars' total slack, so the pieces
// weigh W = K (L + c) - σ (σ is kept under L / (K + 1) - 2 and L - 5002, so
// that the range below is not empty). Every distractor length D lies strictly
// between K L / (K + 1) and L - σ. A plan of n bars of total length S holds
// all pieces, so S + n c ≥ W, i.e. S ≥ K L + (K - n) c - σ.
//  - n > K: every bar is longer than K L / (K + 1), so S > K L.
//  - n = K: S ≥ K L - σ, while each distractor among the K bars takes more
//    than σ off K L; so there is none, and S = K L.
//  - n < K: every bar is at most L long, so S ≤ (K - 1) L < K L - σ: no plan.
// The argument weighs capacity only, so it holds whatever the pieces are. The
// distractors are long stock (at least the small-stock limit), so the
// short-first rule never applies.
#pragma once

#include <cstdint>

#include "job/job.h"

namespace yobina::test {

struct PlantedShape {
  int32_t minBars = 3;  // K
  int32_t maxBars = 20;
  int32_t maxSlackPerBar = 0;     // mm a planted bar may keep unfilled; 0: exact fill
  int32_t maxPieceLength = 5200;  // 2500-5200: shorter pieces, more to a bar
};

struct PlantedJob {
  TJob Job;                 // both tables sorted, as PlanExact takes them
  int32_t Bars = 0;         // K
  int32_t StockLength = 0;  // L
};

// Stock lengths 6000-12000 mm in 500 mm steps, pieces of 250 mm up, kerf
// 0-7, margin 0-25, at most 35 rows in either table. maxBars at most 30.
PlantedJob MakePlantedJob(uint64_t seed, const PlantedShape& shape = {});

}  // namespace yobina::test
