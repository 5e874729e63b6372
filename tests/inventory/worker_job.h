// The job the inventory worker and the tests that start it share.
#pragma once

#include <cstdint>
#include <string>

#include "text/codec.h"

namespace yobina::test {

inline std::string WorkerSection() {
  return Cp932("Ｈ形鋼 200×100");
}
inline constexpr int32_t kWorkerStockLength = 4000;  // every round uses one of these
inline constexpr int32_t kWorkerStockBars = 1000;
inline constexpr int32_t kWorkerNewBars = 2;  // every round keeps two offcuts of its own length
inline constexpr const char* kWorkerDate = "2024-05-01";

}  // namespace yobina::test
