#include "text/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace yobina {
namespace {

TEST(Numeric, RealMaxReturnsTheSecondOnEquality) {
  // +0 and -0 compare equal: the sign shows which argument came back.
  EXPECT_TRUE(std::signbit(RealMax(0.0, -0.0)));
  EXPECT_EQ(RealMax(1.5, 2.5), 2.5);
}

struct ClampCase {
  double value;
  int32_t expected;
};

class RealToIntClampedTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(RealToIntClampedTest, Clamps) {
  EXPECT_EQ(RealToIntClamped(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RealToIntClampedTest,
                         ::testing::Values(ClampCase{0.99, 0}, ClampCase{-0.99, 0}, ClampCase{1.99, 1},
                                           ClampCase{-1.99, -1}, ClampCase{3e9, 2147483647},
                                           ClampCase{-3e9, -2147483647},
                                           ClampCase{std::numeric_limits<double>::infinity(), 2147483647},
                                           ClampCase{std::nan(""), 0}));

}  // namespace
}  // namespace yobina
