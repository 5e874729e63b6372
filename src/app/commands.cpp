#include "app/commands.h"

#include "job/job_io.h"
#include "report/report_builder.h"

namespace yobina {

void PrintReport(const PlanResult& result, PrintDevice& printer) {
  ReportBuilder().BuildReport(result, printer);
}

PlanResult ResultWithoutPlan(const JobDocument& document) {
  PlanResult result;
  result.Document = document;
  result.Plan = Plan(PlanningJob(document), TCutPlan{});
  return result;
}

void PrintJobWithoutPlan(const JobDocument& document, PrintDevice& printer) {
  ReportBuilder().BuildReportWithoutPlan(ResultWithoutPlan(document), printer);
}

}  // namespace yobina
