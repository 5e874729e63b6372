// The one request to end a planner early, shared by everything that may ask
// for it: Esc and closing the window, Ctrl+C and SIGTERM, and a time limit.
// It remembers why, since what the program says and its exit status depend
// on it.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace yobina {

// The longest time limit any planner is given (about 30 years): longer ones
// would overflow the clock's arithmetic.
inline constexpr double kLongestTimeLimitSeconds = 1e9;

enum class StopReason { None, User, Signal, TimeLimit };

class StopToken {
 public:
  constexpr StopToken() = default;
  StopToken(const StopToken&) = delete;
  StopToken& operator=(const StopToken&) = delete;

  // From any thread; the first reason given stays.
  void Stop(StopReason reason);
  // From now on the token also stops once `seconds` have passed (at most
  // kLongestTimeLimitSeconds; 0 or less, or not a number: at once).
  void SetTimeLimit(double seconds);
  // Back to no stop and no time limit; only while no planner works with it.
  void Reset();

  // Stopped, or past the time limit.
  bool StopRequested() const;
  // The reason given to Stop(); else TimeLimit once past it; else None.
  StopReason Reason() const;
  // Seconds left of the time limit (0 once past it); none without a limit.
  std::optional<double> SecondsLeft() const;
  // Turns true by Stop() alone, never by the time limit: the flag the
  // optimal planner polls, whose time limit is its budget rather than a stop.
  const std::atomic<bool>& StopFlag() const { return stopped_; }

 private:
  static constexpr int64_t kNoLimit = INT64_MAX;
  static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int64_t>::is_always_lock_free);

  std::atomic<bool> stopped_{false};
  std::atomic<int> reason_{static_cast<int>(StopReason::None)};
  std::atomic<int64_t> deadline_{kNoLimit};  // steady clock ticks
};

}  // namespace yobina
