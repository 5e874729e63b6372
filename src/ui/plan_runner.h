// Runs either planner on a thread of its own, so the window stays live and
// repaints while it works. What the planner reports arrives as signals on the
// window's thread, every one and in the order the planner sent them; Stop()
// ends the work early with the best plan so far.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <thread>

#include "app/planner.h"

namespace yobina {

class PlanRunner : public QObject {
  Q_OBJECT
 public:
  explicit PlanRunner(QObject* parent = nullptr);
  // Stops the planner and waits for its thread: none outlives the runner.
  ~PlanRunner() override;

  // Plans `document` with `planner`. Not while busy.
  void Start(std::unique_ptr<Planner> planner, const JobDocument& document);
  void Stop(StopReason reason) { stop_.Stop(reason); }
  const StopToken& Token() const { return stop_; }
  bool IsBusy() const { return thread_.joinable(); }

  // After finished(): what the planner made of the document, or, when it
  // failed (too little memory), why, with no result.
  const PlanResult* Result() const { return result_.get(); }
  const QString& Failure() const { return failure_; }

 signals:
  void trialPlanned(int trial, double lossRate, double bestLossRate);
  void trialEnded(int trial);
  void betterPlan(double lossRate);
  void betterBound(double boundLossRate);
  void finished();
  // From the planner's thread; the runner joins it, then says finished().
  void plannerReturned();

 private:
  void Join();

  std::unique_ptr<PlanProgress> progress_;
  std::unique_ptr<Planner> planner_;
  std::unique_ptr<JobDocument> document_;
  std::unique_ptr<PlanResult> result_;
  QString failure_;
  StopToken stop_;
  std::thread thread_;
};

}  // namespace yobina
