#include "ui/plan_runner.h"

#include <cerrno>
#include <new>

#include "file/io_error.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

// Hands the planner's progress to the runner's signals, which queue it to the window's thread.
class SignalProgress : public PlanProgress {
 public:
  explicit SignalProgress(PlanRunner& runner) : runner_(runner) {}
  void TrialPlanned(int32_t trial, double lossRate, double bestLossRate) override {
    emit runner_.trialPlanned(trial, lossRate, bestLossRate);
  }
  void TrialEnded(int32_t trial) override { emit runner_.trialEnded(trial); }
  void BetterPlan(double lossRate) override { emit runner_.betterPlan(lossRate); }
  void BetterBound(double boundLossRate) override { emit runner_.betterBound(boundLossRate); }

 private:
  PlanRunner& runner_;
};

}  // namespace

PlanRunner::PlanRunner(QObject* parent)
    : QObject(parent), progress_(std::make_unique<SignalProgress>(*this)) {
  connect(
      this, &PlanRunner::plannerReturned, this,
      [this] {
        Join();
        emit finished();
      },
      Qt::QueuedConnection);
}

PlanRunner::~PlanRunner() {
  Stop(StopReason::User);
  Join();
}

void PlanRunner::Start(std::unique_ptr<Planner> planner, const JobDocument& document) {
  if (IsBusy()) return;
  planner_ = std::move(planner);
  document_ = std::make_unique<JobDocument>(document);
  result_.reset();
  failure_.clear();
  stop_.Reset();
  thread_ = std::thread([this] {
    try {
      result_ = std::make_unique<PlanResult>(planner_->MakePlan(*document_, *progress_, stop_));
    } catch (const std::bad_alloc&) {
      failure_ = FromUtf8(PlatformErrorText(ENOMEM));
    }
    emit plannerReturned();
  });
}

void PlanRunner::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace yobina
