#include "plan/offcut_totals.h"

#include <gtest/gtest.h>

namespace yobina {
namespace {

// Leftovers just under, at and over 1000 mm, one length twice.
Plan PlanWithLeftovers() {
  TJob job;
  job.StockCount = 1;
  job.StockTable[1] = {6000, 20, 0};
  TCutPlan cuts;
  const double leftovers[] = {999, 1000, 2500, 1000, 0};
  const int32_t bars[] = {2, 3, 1, 4, 5};
  cuts.PatternCount = 5;
  for (int32_t p = 1; p <= cuts.PatternCount; ++p) {
    cuts.Patterns[p].StockRow = 1;
    cuts.Patterns[p].Leftover = leftovers[p - 1];
    cuts.Patterns[p].BarCount = bars[p - 1];
    cuts.LeftoverLength += leftovers[p - 1] * bars[p - 1];
  }
  return Plan(job, cuts);
}

TEST(OffcutTotalsTest, LeftoversAtLeastTheMinimumAreOffcutsByLengthTheRestScrap) {
  const Plan plan = PlanWithLeftovers();
  const OffcutTotals totals = OffcutTotalsOf(plan, 1000);
  EXPECT_EQ(totals.Bars, 8);
  EXPECT_EQ(totals.OffcutLength, 1000 * 7 + 2500);
  EXPECT_EQ(totals.ScrapLength, 999 * 2);
  EXPECT_EQ(totals.Offcuts, (std::vector<OffcutBars>{{1000, 7}, {2500, 1}}));
  EXPECT_EQ(totals.OffcutLength + totals.ScrapLength, plan.Cuts().LeftoverLength);
}

TEST(OffcutTotalsTest, OffMeansNoOffcuts) {
  const Plan plan = PlanWithLeftovers();
  const OffcutTotals totals = OffcutTotalsOf(plan, 0);
  EXPECT_EQ(totals.Bars, 0);
  EXPECT_TRUE(totals.Offcuts.empty());
  EXPECT_EQ(totals.ScrapLength, plan.Cuts().LeftoverLength);
}

}  // namespace
}  // namespace yobina
