// The optimal planner beside the Run, the stop token that bounds either, and
// what Print takes without a plan.
#include "app/optimal_planner.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/commands.h"
#include "app/recording_progress.h"
#include "app/run_planner.h"
#include "report/report_builder.h"
#include "report/report_lines.h"
#include "support/recording_print_device.h"
#include "text/codec.h"

namespace yobina {
namespace {

JobDocument SmallJob(const char* kerf = "0") {
  JobDocument document;
  document.StockRows[0] = {"6000", "10"};
  document.CutRows[0] = {"2000", "3"};
  document.Kerf = kerf;
  document.TrialIndex = 0;
  return document;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(OptimalPlanner, ItsReportAndPrintSayTheProofAndARunsDoNot) {
  const StopToken stop;
  test::RecordingProgress progress;
  const PlanResult optimal = OptimalPlanner().MakePlan(SmallJob(), progress, stop);
  ASSERT_EQ(optimal.Status, PlanStatus::Planned);
  EXPECT_FALSE(optimal.Stopped);
  EXPECT_EQ(optimal.Plan.Cuts().StockLength, 6000);
  EXPECT_FALSE(progress.Plans.empty());
  const std::string proven = ProvenOptimalLine(0);
  const std::vector<std::string> report = ReportBuilder().BuildReport(optimal);
  const auto at = std::find(report.begin(), report.end(), proven);
  ASSERT_NE(at, report.end());
  EXPECT_EQ(*(at + 1), SetupsLine(1, 1, true));  // the set-ups under the proof

  test::RecordingPrintDevice device(600);
  PrintReport(optimal, device);
  std::string drawn;
  for (const auto& draw : device.Draws()) drawn += draw.Text;
  EXPECT_NE(drawn.find(Cp932("証明済み")), std::string::npos);

  const PlanResult run = RunPlanner().MakePlan(SmallJob(), progress, stop);
  EXPECT_FALSE(Contains(ReportBuilder().BuildReport(run), proven));
}

TEST(OptimalPlanner, RefusedAndImpossibleJobsSaySoWithoutAPlan) {
  const StopToken stop;
  PlanProgress silent;
  const PlanResult refused = OptimalPlanner().MakePlan(SmallJob("-10"), silent, stop);
  EXPECT_EQ(refused.Status, PlanStatus::Refused);
  EXPECT_EQ(refused.Message, Cp932("切り代が負のため、最適化できません。"));

  JobDocument impossible = SmallJob();
  impossible.CutRows[0] = {"7000", "1"};
  const PlanResult none = OptimalPlanner().MakePlan(impossible, silent, stop);
  EXPECT_EQ(none.Status, PlanStatus::NoPlan);
  EXPECT_FALSE(none.Plan.HasPatterns());
  EXPECT_EQ(none.Plan.Cuts().StockLength, 0);
}

TEST(OptimalPlanner, OnlyAStopCutsItShort) {
  PlanProgress silent;
  StopToken stop;
  stop.SetTimeLimit(5);  // its budget: a plan proven in time is not cut short
  EXPECT_FALSE(OptimalPlanner().MakePlan(SmallJob(), silent, stop).Stopped);
  stop.Stop(StopReason::Signal);
  EXPECT_TRUE(OptimalPlanner().MakePlan(SmallJob(), silent, stop).Stopped);
}

TEST(StopTokenTest, RemembersWhyItStopped) {
  StopToken token;
  EXPECT_FALSE(token.StopRequested());
  EXPECT_EQ(token.SecondsLeft(), std::nullopt);
  token.SetTimeLimit(3600);
  EXPECT_FALSE(token.StopRequested());
  EXPECT_GT(*token.SecondsLeft(), 3500);
  token.SetTimeLimit(0);
  EXPECT_TRUE(token.StopRequested());
  EXPECT_EQ(token.Reason(), StopReason::TimeLimit);
  EXPECT_FALSE(token.StopFlag().load());  // a time limit is not a stop: the optimal planner's flag stays down
  token.SetTimeLimit(1e300);              // far beyond the clock's range
  EXPECT_FALSE(token.StopRequested());
  token.Stop(StopReason::Signal);
  token.Stop(StopReason::User);  // the first reason stays
  EXPECT_TRUE(token.StopRequested());
  EXPECT_EQ(token.Reason(), StopReason::Signal);
  EXPECT_TRUE(token.StopFlag().load());
  token.Reset();
  EXPECT_FALSE(token.StopRequested());
  EXPECT_EQ(token.Reason(), StopReason::None);
}

TEST(StopTokenTest, ATimeLimitEndsARunEarlyWithTheBestPlanSoFar) {
  StopToken token;
  token.SetTimeLimit(0);
  test::RecordingProgress progress;
  const PlanResult result = RunPlanner(500).MakePlan(SmallJob(), progress, token);
  EXPECT_TRUE(result.Stopped);
  EXPECT_LT(progress.LossLabels.size(), 500u);
}

TEST(PrintWithoutAPlan, PrintsTheTitleBlockAndTheCutListOfThePage) {
  JobDocument page = SmallJob();
  page.ProjectName = Cp932("見本工事");
  page.CutRows[1] = {"1500", "4"};
  const std::vector<std::string> lines = ReportBuilder().BuildReportWithoutPlan(ResultWithoutPlan(page));
  EXPECT_TRUE(Contains(lines, Cp932("  工事名：見本工事")));
  EXPECT_TRUE(Contains(lines, ListCell(1500, 4) + ListCell(2000, 3)));
  EXPECT_TRUE(Contains(lines, Cp932("計画はありません")));
  EXPECT_FALSE(Contains(lines, LengthTotalsLine(0, 0, 0, 0)));
  EXPECT_FALSE(Contains(lines, Cp932("《必要素材リスト》")));
  EXPECT_FALSE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find(Cp932("│素材長")) != std::string::npos;
  }));
}

}  // namespace
}  // namespace yobina
