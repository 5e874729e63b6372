// When the planner must end: a time limit and a stop flag set by another thread.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>

namespace yobina {

class Deadline {
 public:
  // Limits past about four months (or not a number) are taken as that long (or none).
  Deadline(double seconds, const std::atomic<bool>* stop)
      : end_(std::chrono::steady_clock::now() +
             std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                 std::chrono::duration<double>(seconds > 0 ? std::min(seconds, kLongest) : 0))),
        stop_(stop) {}

  bool Stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }
  bool Passed() const { return Stopped() || std::chrono::steady_clock::now() >= end_; }
  // Seconds left, 0 once passed.
  double SecondsLeft() const {
    if (Stopped()) return 0;
    const std::chrono::duration<double> left = end_ - std::chrono::steady_clock::now();
    return left.count() > 0 ? left.count() : 0;
  }
  const std::atomic<bool>* StopFlag() const { return stop_; }

 private:
  static constexpr double kLongest = 1e7;
  std::chrono::steady_clock::time_point end_;
  const std::atomic<bool>* stop_;
};

}  // namespace yobina
