// Runs the optimal planner on a thread of its own, so the window stays
// responsive; its progress and its end arrive as signals on the window's thread.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

#include "exact/exact_planner.h"
#include "job/job.h"

namespace yobina {

class ExactRunner : public QObject {
  Q_OBJECT
 public:
  explicit ExactRunner(QObject* parent = nullptr);
  // Stops the planner and waits for its thread: none outlives the runner.
  ~ExactRunner() override;

  // Plans a copy of `job`. Not while busy.
  void Start(const TJob& job, double timeLimitSeconds);
  void RequestStop() { stop_.store(true); }
  bool StopRequested() const { return stop_.load(); }
  bool IsBusy() const { return thread_.joinable(); }

  // After finished(): the job that was planned and what the planner made of it.
  const TJob& Job() const { return *job_; }
  const ExactResult& Result() const { return *result_; }

 signals:
  void betterPlan(double lossRate);
  void betterBound(double boundLossRate);
  void finished();
  // From the planner's thread; the runner joins it, then says finished().
  void plannerReturned();

 private:
  void Join();

  std::unique_ptr<TJob> job_ = std::make_unique<TJob>();
  std::unique_ptr<ExactResult> result_ = std::make_unique<ExactResult>();
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace yobina
