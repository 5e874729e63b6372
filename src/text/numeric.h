// Small numeric helpers shared by the optimizer and the drawing layer.
#pragma once

#include <cstdint>

namespace yobina {

int32_t IntMax(int32_t a, int32_t b);
int32_t IntMin(int32_t a, int32_t b);
// On equality these return the second argument.
double RealMax(double a, double b);
double RealMin(double a, double b);
void SwapReals(double& a, double& b);

// 0 for magnitudes below 1 and for NaN; otherwise clamped to
// -2147483647 .. 2147483647 and truncated toward zero.
int32_t RealToIntClamped(double value);

}  // namespace yobina
