#include "text/numeric.h"

#include <cmath>

namespace yobina {

double RealMax(double a, double b) {
  return a > b ? a : b;
}

int32_t RealToIntClamped(double value) {
  if (std::isnan(value) || std::fabs(value) < 1.0) return 0;
  constexpr double kLimit = 2147483647.0;
  if (value >= kLimit) return 2147483647;
  if (value <= -kLimit) return -2147483647;
  return static_cast<int32_t>(value);
}

}  // namespace yobina
