// The optimal-plan road beside the Run: the last plan the workspace keeps, its
// report notes, and the stop flag that bounds either planner.
#include "app/exact_command.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "app/commands.h"
#include "app/recording_run_view.h"
#include "app/stop_flag.h"
#include "job/memory_input_page.h"
#include "report/report_lines.h"
#include "support/recording_print_device.h"
#include "text/codec.h"

namespace yobina {
namespace {

MemoryInputPage SmallJob() {
  MemoryInputPage page;
  page.SetCellText(GridId::Stock, 1, 1, "6000");
  page.SetCellText(GridId::Stock, 2, 1, "10");
  page.SetCellText(GridId::Cut, 1, 1, "2000");
  page.SetCellText(GridId::Cut, 2, 1, "3");
  page.SetTrialIndex(0);
  return page;
}

class NoObserver : public ExactObserver {
 public:
  void BetterPlan(double) override {}
  void BetterBound(double) override {}
};

// A result as the planner would give it for the small job: one bar, proven.
ExactResult ProvenResult(const TJob& job) {
  ExactResult result;
  result.Status = ExactStatus::Proven;
  result.Plan.PatternCount = 1;
  result.Plan.Patterns[1].StockRow = 1;
  result.Plan.Patterns[1].BarCount = 1;
  result.Plan.Patterns[1].PieceCount[1] = job.CutTable[1].Count;
  result.Plan.StockLength = 6000;
  result.Plan.MemberLength = 6000;
  result.BoundLossRate = 0;
  result.WithoutShortFirst = ReferenceFigure{6090, 1.5, true};
  result.Setups = {1, 1, true};
  return result;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class ExactCommandTest : public ::testing::Test {
 protected:
  std::unique_ptr<Workspace> workspace_ = std::make_unique<Workspace>();
  MemoryInputPage page_ = SmallJob();
};

TEST_F(ExactCommandTest, TheExactPlanIsTheLastPlanUntilTheNextRun) {
  const TJob& job = PrepareJob(page_, *workspace_, std::nullopt);
  const ExactOutcome exact = FinishExactCommand(page_, *workspace_, job, ProvenResult(job));
  ASSERT_TRUE(exact.PlanFound);
  const std::string proven = ProvenOptimalLine(0);
  const std::string reference = WithoutShortFirstLine(6090, 1.5, true);
  EXPECT_EQ(workspace_->lastPlanNotes, (std::vector<std::string>{proven, SetupsLine(1, 1, true), reference}));
  EXPECT_TRUE(Contains(exact.ReportLines, proven));

  // Print takes the exact plan with its notes, as the results page shows it.
  test::RecordingPrintDevice device(600);
  PrintReport(page_, *workspace_, device);
  std::string drawn;
  for (const auto& draw : device.Draws()) drawn += draw.Text;
  EXPECT_NE(drawn.find(Cp932("証明済み")), std::string::npos);

  // A Run replaces it, notes and all.
  test::RecordingRunView view;
  const RunOutcome run = RunCommand(page_, *workspace_, view, {});
  ASSERT_TRUE(run.PlanFound);
  EXPECT_TRUE(workspace_->lastPlanNotes.empty());
  EXPECT_FALSE(Contains(run.ReportLines, proven));
  EXPECT_EQ(workspace_->lastPlan.LossRate, workspace_->optimizer.BestPlan().LossRate);
}

TEST_F(ExactCommandTest, ARefusedJobKeepsTheLastPlanAndNoPlanClearsIt) {
  test::RecordingRunView view;
  ASSERT_TRUE(RunCommand(page_, *workspace_, view, {}).PlanFound);
  const double runLoss = workspace_->lastPlan.LossRate;

  ExactResult refused;
  refused.Status = ExactStatus::Refused;
  refused.Message = Cp932("refused");
  const ExactOutcome outcome = FinishExactCommand(page_, *workspace_, workspace_->job, refused);
  EXPECT_FALSE(outcome.PlanFound);
  EXPECT_EQ(outcome.Message, refused.Message);
  EXPECT_EQ(workspace_->lastPlan.PatternCount, 1);
  EXPECT_EQ(workspace_->lastPlan.LossRate, runLoss);

  for (const ExactStatus status : {ExactStatus::NoPlan, ExactStatus::NotFound}) {
    ExactResult none;
    none.Status = status;
    EXPECT_FALSE(FinishExactCommand(page_, *workspace_, workspace_->job, none).PlanFound);
    EXPECT_EQ(workspace_->lastPlan.PatternCount, 0);
    EXPECT_TRUE(ExactReportNotes(none).empty());
  }
}

TEST_F(ExactCommandTest, UnprovenNotesCarryTheGapAndTheReferenceOnlyWhenGiven) {
  ExactResult result;
  result.Status = ExactStatus::Unproven;
  result.BoundLossRate = 2.4;
  result.GapMeters = 1.2;
  result.Setups = {7, 5, false};
  EXPECT_EQ(ExactReportNotes(result),
            (std::vector<std::string>{UnprovenLine(2.4, 1.2), SetupsLine(7, 5, false)}));
}

TEST_F(ExactCommandTest, TheWholeRoadNormalisesPlansAndReports) {
  NoObserver observer;
  const ExactOutcome outcome = ExactCommand(page_, *workspace_, observer, {});
  ASSERT_TRUE(outcome.PlanFound);
  EXPECT_EQ(page_.CellText(GridId::Stock, 1, 1), "  6000");  // written back as a Run does
  EXPECT_EQ(workspace_->lastPlan.StockLength, 6000);
  EXPECT_EQ(workspace_->lastPlanNotes.size(), 2u);  // the proof and the set-ups
}

TEST(StopFlagTest, RaisedOrPastTheDeadline) {
  StopFlag flag;
  EXPECT_FALSE(flag.ShouldStop());
  flag.SetDeadline(3600);
  EXPECT_FALSE(flag.ShouldStop());
  flag.SetDeadline(0);
  EXPECT_TRUE(flag.ShouldStop());
  EXPECT_FALSE(flag.Raised());  // a deadline is not a raise: the planners' flag stays down
  flag.SetDeadline(1e300);      // far beyond the clock's range
  EXPECT_FALSE(flag.ShouldStop());
  flag.Raise();
  EXPECT_TRUE(flag.ShouldStop());
  EXPECT_TRUE(flag.Flag().load());
}

TEST(StopFlagTest, EndsARunEarlyWithTheBestPlanSoFar) {
  auto workspace = std::make_unique<Workspace>();
  MemoryInputPage page = SmallJob();
  StopFlag flag;
  flag.SetDeadline(0);
  test::RecordingRunView view;
  RunOptions options;
  options.TrialsOverride = 500;
  options.Stop = &flag;
  const RunOutcome outcome = RunCommand(page, *workspace, view, options);
  EXPECT_TRUE(outcome.Stopped);
  EXPECT_LT(view.LossLabels.size(), 500u);
}

}  // namespace
}  // namespace yobina
