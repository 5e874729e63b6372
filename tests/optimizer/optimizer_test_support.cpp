#include "optimizer/optimizer_test_support.h"

#include <cstdio>

namespace yobina::test {

std::string ThreeDecimals(double rate) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", rate);
  return text;
}

}  // namespace yobina::test
