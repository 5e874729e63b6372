// The one request to end a long job early: raised by the user, a signal
// handler or a deadline, and read by whichever planner is working.
#pragma once

#include <atomic>
#include <chrono>
#include <optional>

namespace yobina {

// The longest time limit any planner is given (about 30 years): longer ones
// would overflow the clock's arithmetic.
inline constexpr double kLongestTimeLimitSeconds = 1e9;

class StopFlag {
 public:
  // Safe to call from a signal handler and from any thread.
  void Raise() { raised_.store(true); }
  bool Raised() const { return raised_.load(); }

  // From now on ShouldStop() also holds once `seconds` have passed (at most
  // kLongestTimeLimitSeconds; 0 or less: at once).
  void SetDeadline(double seconds);
  // Raised, or past the deadline.
  bool ShouldStop() const;

  // What a planner polls: turns true only by Raise().
  const std::atomic<bool>& Flag() const { return raised_; }

 private:
  static_assert(std::atomic<bool>::is_always_lock_free, "Raise() must be safe in a signal handler");
  std::atomic<bool> raised_{false};
  std::optional<std::chrono::steady_clock::time_point> deadline_;
};

}  // namespace yobina
