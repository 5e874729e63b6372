// Jobs, results and a silent progress for the tests of the planners and their outputs.
#pragma once

#include <cstdint>
#include <vector>

#include "job/job.h"
#include "optimizer/optimizer.h"
#include "plan/plan_result.h"

namespace yobina::test {

struct Row {
  int32_t Length;
  int32_t Count;
};

// A job with the given tables in the given order (no sorting), Remaining = Count.
TJob MakeJob(const std::vector<Row>& stock, const std::vector<Row>& cut, int32_t margin, int32_t kerf);

// The same with both tables sorted, as the planners take a job.
TJob SortedJob(const std::vector<Row>& stock, const std::vector<Row>& cut, int32_t margin, int32_t kerf);

// A Run's result of `plan`, made from `job`, for the job of `document`:
// Planned when the plan has patterns, else NoPlan.
PlanResult ResultOf(const JobDocument& document, const TJob& job, const TCutPlan& plan);

// The trial driver's hooks, doing nothing.
class SilentProgress : public TrialProgress {
 public:
  void ReportTrialProgress(double, int32_t, double) override {}
};

}  // namespace yobina::test
