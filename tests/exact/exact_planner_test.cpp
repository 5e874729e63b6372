#include "exact/exact_planner.h"

#include <gtest/gtest.h>

namespace yobina {
namespace {

class SilentObserver : public ExactObserver {
 public:
  void BetterPlan(double) override {}
  void BetterBound(double) override {}
};

TEST(PlanExact, EmptyJobHasNoPlan) {
  SilentObserver observer;
  const ExactResult result = PlanExact(TJob{}, ExactLimits{}, observer);
  EXPECT_EQ(result.Plan.PatternCount, 0);
}

}  // namespace
}  // namespace yobina
