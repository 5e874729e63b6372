// Small numeric helpers shared by the optimizer and the drawing layer.
#pragma once

#include <cstdint>

namespace yobina {

// On equality, the second argument.
double RealMax(double a, double b);

// 0 for magnitudes below 1 and for NaN; otherwise clamped to
// -2147483647 .. 2147483647 and truncated toward zero.
int32_t RealToIntClamped(double value);

}  // namespace yobina
