#include "app/stop_flag.h"

#include <algorithm>

namespace yobina {

void StopFlag::SetDeadline(double seconds) {
  const std::chrono::duration<double> wait(seconds > 0 ? std::min(seconds, kLongestTimeLimitSeconds)
                                                       : 0.0);  // NaN: 0
  deadline_ = std::chrono::steady_clock::now() +
              std::chrono::duration_cast<std::chrono::steady_clock::duration>(wait);
}

bool StopFlag::ShouldStop() const {
  return Raised() || (deadline_ && std::chrono::steady_clock::now() >= *deadline_);
}

}  // namespace yobina
