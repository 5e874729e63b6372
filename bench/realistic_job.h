// Jobs shaped like a fabricator's everyday cut lists, the same on every
// machine for a seed (our own random numbers, integer arithmetic only):
//  - 8-35 cut rows of 250-5200 mm to the mm, 1-30 pieces each (mostly a few);
//  - 1-4 standard stock lengths of 5500-12000 mm: in whole 500 mm on about a
//    third of the jobs, whole 100 mm on nearly half, to the mm on the rest;
//  - on the jobs of even seed 1-5 remnant rows of 1200-4999 mm to the mm, 1-5 bars
//    each, each remnant long enough for at least one piece of its own, so that
//    the rule "remnants first" always leaves a plan;
//  - bars on hand enough for a first-fit-decreasing cut of the rest: just
//    enough on about a third of the jobs, some over on half, 99 a row else;
//  - kerf 0-7 mm, margin 0-25 mm.
// Rows are in the order a user would type them (the cut list unsorted).
#pragma once

#include <cstdint>
#include <string_view>

#include "job/job.h"

namespace yobina::bench {

struct Section {
  std::string_view Name;  // UTF-8, at most 32 bytes in code page 932
  double UnitWeight;      // kg/m
};

struct RealisticJob {
  TJob Job;
  std::string_view ProjectName;  // UTF-8
  Section Member;
  int32_t Month = 1;
  int32_t Day = 1;
};

RealisticJob MakeRealisticJob(uint64_t seed);

// A steel section from the makers' list, picked by seed.
Section SectionFor(uint64_t seed);

}  // namespace yobina::bench
