// The Run road: read and normalise, back up, run the trials, report.
#include "app/run_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "app/recording_run_view.h"
#include "app/run_labels.h"
#include "file/data_file.h"
#include "file/io_error.h"
#include "file/temp_folder.h"
#include "job/memory_input_page.h"
#include "text/codec.h"

namespace yobina {
namespace {

using Rows = std::vector<std::pair<const char*, const char*>>;

void SetRows(InputPage& page, GridId grid, const Rows& rows) {
  int row = 1;
  for (const auto& [length, count] : rows) {
    page.SetCellText(grid, 1, row, length);
    page.SetCellText(grid, 2, row, count);
    ++row;
  }
}

MemoryInputPage SmallJob() {
  MemoryInputPage page;
  SetRows(page, GridId::Stock, {{"6000", "10"}});
  SetRows(page, GridId::Cut, {{"2000", "3"}});
  page.SetTrialIndex(0);
  return page;
}

MemoryInputPage ExamplePage(const char* name) {
  const char* source = std::getenv("YOBINA_SOURCE_DIR");
  MemoryInputPage page;
  if (source == nullptr) throw std::runtime_error("YOBINA_SOURCE_DIR is not set");
  if (LoadDataFile(page, std::filesystem::path(source) / "examples" / name) != LoadResult::Loaded) {
    throw std::runtime_error("example does not load");
  }
  return page;
}

class RunCommandTest : public ::testing::Test {
 protected:
  std::unique_ptr<Workspace> workspace_ = std::make_unique<Workspace>();
  test::RecordingRunView view_;
  test::TempFolder folder_;
};

TEST_F(RunCommandTest, SmallJobShowsEveryTrialThenTheIdleCaption) {
  MemoryInputPage page = SmallJob();
  const RunOutcome outcome = RunCommand(page, *workspace_, view_, {});
  ASSERT_TRUE(outcome.PlanFound);
  ASSERT_EQ(view_.LossLabels.size(), 10u);
  EXPECT_EQ(view_.LossLabels[0].first, "  0.000 %  (1)");
  EXPECT_EQ(view_.LossLabels[0].second, "  0.000 %");
  EXPECT_EQ(view_.LossLabels[9].first, "  0.000 %  (10)");
  EXPECT_GE(view_.EventsProcessed, 10);
  EXPECT_EQ(view_.TrialLabels, std::vector<std::string>{Cp932("　ロス率")});
  EXPECT_FALSE(outcome.ReportLines.empty());
  EXPECT_FALSE(outcome.Stopped);
}

// Stops the Run the first time the window gets its turn, as Esc does.
class StoppingRunView : public test::RecordingRunView {
 public:
  explicit StoppingRunView(Optimizer& optimizer) : optimizer_(optimizer) {}
  void ProcessEvents() override {
    test::RecordingRunView::ProcessEvents();
    optimizer_.RequestStop();
  }

 private:
  Optimizer& optimizer_;
};

TEST_F(RunCommandTest, AStoppedRunSaysSoWithOrWithoutAPlan) {
  struct Case {
    const char* name;
    Rows cut;
    bool planFound;
  };
  const Case cases[] = {
      {"a plan of the finished trial", {{"2000", "3"}}, true},
      {"no plan", {{"7000", "1"}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryInputPage page;
    SetRows(page, GridId::Stock, {{"6000", "10"}});
    SetRows(page, GridId::Cut, c.cut);
    page.SetTrialIndex(2);
    StoppingRunView view(workspace_->optimizer);
    const RunOutcome outcome = RunCommand(page, *workspace_, view, {});
    EXPECT_TRUE(outcome.Stopped);
    EXPECT_EQ(outcome.PlanFound, c.planFound);
    EXPECT_EQ(view.LossLabels.size(), c.planFound ? 1u : 0u);  // one trial, then the stop
  }
}

TEST_F(RunCommandTest, ReferenceJobTenTrials) {
  MemoryInputPage page = ExamplePage("reference.qzl");
  const RunOutcome outcome = RunCommand(page, *workspace_, view_, {});
  ASSERT_TRUE(outcome.PlanFound);
  ASSERT_GE(view_.LossLabels.size(), 3u);
  EXPECT_EQ(view_.LossLabels[0], std::make_pair(std::string(" 15.063 %  (1)"), std::string(" 15.063 %")));
  EXPECT_EQ(view_.LossLabels[1], std::make_pair(std::string(" 12.971 %  (2)"), std::string(" 12.971 %")));
  EXPECT_EQ(view_.LossLabels[2], std::make_pair(std::string("  4.603 %  (3)"), std::string("  4.603 %")));
  EXPECT_EQ(view_.LossLabels.back().second, "  4.603 %");

  const TCutPlan& plan = workspace_->optimizer.BestPlan();
  ASSERT_EQ(plan.PatternCount, 4);
  EXPECT_EQ(plan.StockLength, 50000);
  EXPECT_EQ(plan.LeftoverLength, 2040);
  const int bars[] = {5, 1, 1, 1};
  const int leftovers[] = {180, 85, 75, 980};
  for (int p = 1; p <= 4; ++p) {
    EXPECT_EQ(plan.Patterns[p].BarCount, bars[p - 1]);
    EXPECT_EQ(plan.Patterns[p].Leftover, leftovers[p - 1]);
  }
  // The report is the one the builder makes of the Run's sorted tables.
  EXPECT_EQ(workspace_->lastRunJob.CutTable[1].Length, 900);
  EXPECT_EQ(outcome.ReportLines, ReportBuilder().BuildReport(page, workspace_->lastRunJob, plan));
}

TEST_F(RunCommandTest, TrialsOverrideWinsOverTheSelection) {
  MemoryInputPage page = ExamplePage("reference.qzl");
  RunOptions options;
  options.TrialsOverride = 100;
  ASSERT_TRUE(RunCommand(page, *workspace_, view_, options).PlanFound);
  EXPECT_EQ(view_.LossLabels.back(),
            std::make_pair(std::string("  8.787 %  (100)"), std::string("  2.510 %")));
  EXPECT_EQ(workspace_->optimizer.BestPlan().StockLength, 49000);

  test::RecordingRunView again;
  MemoryInputPage small = SmallJob();
  options.TrialsOverride = 0;  // at least one trial
  RunCommand(small, *workspace_, again, options);
  EXPECT_EQ(again.LossLabels.size(), 1u);
}

TEST_F(RunCommandTest, NoPlanLeavesTheLabelsAndWritesTheBackupAllTheSame) {
  MemoryInputPage page;
  SetRows(page, GridId::Stock, {{"6000", "10"}, {"", ""}, {"5000", "2"}});
  SetRows(page, GridId::Cut, {{"7000", "1"}});
  RunOptions options;
  options.BackupFile = folder_ / kBackupFileName;
  const RunOutcome outcome = RunCommand(page, *workspace_, view_, options);
  EXPECT_FALSE(outcome.PlanFound);
  EXPECT_TRUE(outcome.ReportLines.empty());
  EXPECT_TRUE(view_.LossLabels.empty());
  EXPECT_EQ(view_.TrialLabels.size(), 1u);
  EXPECT_EQ(page.CellText(GridId::Stock, 1, 2), "  5000");  // the blank row is gone
  EXPECT_EQ(test::ReadBytes(folder_ / kBackupFileName), FormatDataFile(page));
}

TEST_F(RunCommandTest, BackupHoldsTheCompactedPageInTypedOrder) {
  MemoryInputPage page = ExamplePage("typed-with-gaps.qzl");
  RunOptions options;
  options.BackupFile = folder_ / kBackupFileName;
  options.TrialsOverride = 2;
  RunCommand(page, *workspace_, view_, options);
  EXPECT_EQ(test::ReadBytes(folder_ / kBackupFileName), FormatDataFile(page));
  const char* const lengths[] = {"  9000", "  6000", "  5500", ""};
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(page.CellText(GridId::Stock, 1, row), lengths[row - 1]);
  EXPECT_EQ(page.FieldText(FieldId::Margin), "  5");
  EXPECT_EQ(page.FieldText(FieldId::Kerf), "  0");
  EXPECT_EQ(workspace_->lastRunJob.StockTable[1].Length, 5500);  // only the tables are sorted
}

TEST_F(RunCommandTest, FailedBackupRunsNoTrial) {
  MemoryInputPage page = SmallJob();
  RunOptions options;
  options.BackupFile = folder_ / "missing" / kBackupFileName;
  EXPECT_THROW(RunCommand(page, *workspace_, view_, options), IoError);
  EXPECT_EQ(view_.EventsProcessed, 0);
  EXPECT_TRUE(view_.LossLabels.empty());
}

TEST_F(RunCommandTest, SameJobSameReport) {
  MemoryInputPage page = ExamplePage("full-cut-list.qzl");
  RunOptions options;
  options.TrialsOverride = 5;
  const RunOutcome first = RunCommand(page, *workspace_, view_, options);
  test::RecordingRunView second;
  EXPECT_EQ(RunCommand(page, *workspace_, second, options).ReportLines, first.ReportLines);
  EXPECT_EQ(second.LossLabels, view_.LossLabels);
}

}  // namespace
}  // namespace yobina
