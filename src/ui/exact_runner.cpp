#include "ui/exact_runner.h"

namespace yobina {
namespace {

// Hands the planner's progress to the runner's signals; queued to the window's thread.
class SignalObserver : public ExactObserver {
 public:
  explicit SignalObserver(ExactRunner& runner) : runner_(runner) {}
  void BetterPlan(double lossRate) override { emit runner_.betterPlan(lossRate); }
  void BetterBound(double boundLossRate) override { emit runner_.betterBound(boundLossRate); }

 private:
  ExactRunner& runner_;
};

}  // namespace

ExactRunner::ExactRunner(QObject* parent) : QObject(parent) {
  connect(
      this, &ExactRunner::plannerReturned, this,
      [this] {
        Join();
        emit finished();
      },
      Qt::QueuedConnection);
}

ExactRunner::~ExactRunner() {
  RequestStop();
  Join();
}

void ExactRunner::Start(const TJob& job, double timeLimitSeconds) {
  if (IsBusy()) return;
  *job_ = job;
  *result_ = ExactResult{};
  stop_.store(false);
  ExactLimits limits;
  limits.TimeLimitSeconds = timeLimitSeconds;
  limits.Stop = &stop_;
  thread_ = std::thread([this, limits] {
    SignalObserver observer(*this);
    *result_ = PlanExact(*job_, limits, observer);
    emit plannerReturned();
  });
}

void ExactRunner::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace yobina
