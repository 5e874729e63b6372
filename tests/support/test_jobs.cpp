#include "support/test_jobs.h"

#include "job/job_io.h"

namespace yobina::test {

TJob MakeJob(const std::vector<Row>& stock, const std::vector<Row>& cut, int32_t margin, int32_t kerf) {
  TJob job;
  for (const Row& row : stock) {
    ++job.StockCount;
    job.StockTable[job.StockCount] = {row.Length, row.Count, row.Count};
  }
  for (const Row& row : cut) {
    ++job.CutCount;
    job.CutTable[job.CutCount] = {row.Length, row.Count, row.Count};
  }
  job.Margin = margin;
  job.Kerf = kerf;
  return job;
}

TJob SortedJob(const std::vector<Row>& stock, const std::vector<Row>& cut, int32_t margin, int32_t kerf) {
  TJob job = MakeJob(stock, cut, margin, kerf);
  SortStockTable(job);
  SortCutTable(job);
  return job;
}

PlanResult ResultOf(const JobDocument& document, const TJob& job, const TCutPlan& plan) {
  PlanResult result;
  result.Document = document;
  result.Plan = Plan(job, plan);
  result.Status = plan.PatternCount > 0 ? PlanStatus::Planned : PlanStatus::NoPlan;
  return result;
}

}  // namespace yobina::test
