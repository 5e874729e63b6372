#include "app/stop_token.h"

#include <algorithm>
#include <chrono>

namespace yobina {
namespace {

using Clock = std::chrono::steady_clock;

int64_t Now() {
  return Clock::now().time_since_epoch().count();
}

}  // namespace

void StopToken::Stop(StopReason reason) {
  int none = static_cast<int>(StopReason::None);
  reason_.compare_exchange_strong(none, static_cast<int>(reason));
  stopped_.store(true);
}

void StopToken::SetTimeLimit(double seconds) {
  const std::chrono::duration<double> wait(seconds > 0 ? std::min(seconds, kLongestTimeLimitSeconds)
                                                       : 0.0);  // NaN: 0
  deadline_.store(Now() + std::chrono::duration_cast<Clock::duration>(wait).count());
}

void StopToken::Reset() {
  stopped_.store(false);
  reason_.store(static_cast<int>(StopReason::None));
  deadline_.store(kNoLimit);
}

bool StopToken::StopRequested() const {
  return stopped_.load() || Now() >= deadline_.load();
}

StopReason StopToken::Reason() const {
  if (stopped_.load()) return static_cast<StopReason>(reason_.load());
  return Now() >= deadline_.load() ? StopReason::TimeLimit : StopReason::None;
}

std::optional<double> StopToken::SecondsLeft() const {
  const int64_t deadline = deadline_.load();
  if (deadline == kNoLimit) return std::nullopt;
  const std::chrono::duration<double> left = Clock::duration(std::max<int64_t>(deadline - Now(), 0));
  return left.count();
}

}  // namespace yobina
