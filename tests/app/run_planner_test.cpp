// The Run as a planner: its trials, its labels, its stop and its result.
#include "app/run_planner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "app/recording_progress.h"
#include "file/data_file.h"
#include "job/job_io.h"
#include "report/report_builder.h"

namespace yobina {
namespace {

using Rows = std::vector<JobRow>;

JobDocument JobOf(const Rows& stock, const Rows& cut, int trialIndex = 0) {
  JobDocument document;
  std::copy(stock.begin(), stock.end(), document.StockRows.begin());
  std::copy(cut.begin(), cut.end(), document.CutRows.begin());
  document.TrialIndex = trialIndex;
  return document;
}

JobDocument SmallJob() {
  return JobOf({{"6000", "10"}}, {{"2000", "3"}});
}

JobDocument Example(const char* name) {
  const char* source = std::getenv("YOBINA_SOURCE_DIR");
  if (source == nullptr) throw std::runtime_error("YOBINA_SOURCE_DIR is not set");
  JobDocument document;
  if (LoadDataFile(document, std::filesystem::path(source) / "examples" / name) != LoadResult::Loaded) {
    throw std::runtime_error("example does not load");
  }
  return document;
}

PlanResult PlanTrials(const JobDocument& document, test::RecordingProgress& progress,
                      std::optional<int32_t> trials = std::nullopt) {
  const StopToken stop;
  return RunPlanner(trials).MakePlan(Normalized(document), progress, stop);
}

TEST(RunPlanner, SmallJobShowsEveryTrial) {
  test::RecordingProgress progress;
  const PlanResult result = PlanTrials(SmallJob(), progress);
  ASSERT_EQ(result.Status, PlanStatus::Planned);
  ASSERT_EQ(progress.LossLabels.size(), 10u);
  EXPECT_EQ(progress.LossLabels[0].first, "  0.000 %  (1)");
  EXPECT_EQ(progress.LossLabels[0].second, "  0.000 %");
  EXPECT_EQ(progress.LossLabels[9].first, "  0.000 %  (10)");
  EXPECT_EQ(progress.TrialsEnded, 10);
  EXPECT_FALSE(ReportBuilder().BuildReport(result).empty());
  EXPECT_FALSE(result.Stopped);
  EXPECT_EQ(std::get<RunMethod>(result.Method).Trials, 10);
}

TEST(RunPlanner, AStoppedRunSaysSoWithOrWithoutAPlan) {
  struct Case {
    const char* name;
    Rows cut;
    PlanStatus status;
  };
  const Case cases[] = {
      {"a plan of the finished trial", {{"2000", "3"}}, PlanStatus::Planned},
      {"no plan", {{"7000", "1"}}, PlanStatus::NotFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Stopped as soon as the first trial is over, as Esc does.
    StopToken stop;
    test::RecordingProgress progress;
    progress.OnTrialEnded = [&] { stop.Stop(StopReason::User); };
    const PlanResult result = RunPlanner().MakePlan(JobOf({{"6000", "10"}}, c.cut, 2), progress, stop);
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(result.Status, c.status);
    EXPECT_EQ(progress.TrialsEnded, 1);
    EXPECT_EQ(progress.LossLabels.size(), c.status == PlanStatus::Planned ? 1u : 0u);
  }
}

TEST(RunPlanner, ReferenceJobTenTrials) {
  test::RecordingProgress progress;
  const PlanResult result = PlanTrials(Example("reference.qzl"), progress);
  ASSERT_EQ(result.Status, PlanStatus::Planned);
  ASSERT_GE(progress.LossLabels.size(), 3u);
  EXPECT_EQ(progress.LossLabels[0], std::make_pair(std::string(" 15.063 %  (1)"), std::string(" 15.063 %")));
  EXPECT_EQ(progress.LossLabels[1], std::make_pair(std::string(" 12.971 %  (2)"), std::string(" 12.971 %")));
  EXPECT_EQ(progress.LossLabels[2], std::make_pair(std::string("  4.603 %  (3)"), std::string("  4.603 %")));
  EXPECT_EQ(progress.LossLabels.back().second, "  4.603 %");

  const Plan& plan = result.Plan;
  ASSERT_EQ(plan.PatternCount(), 4);
  EXPECT_EQ(plan.Cuts().StockLength, 50000);
  EXPECT_EQ(plan.Cuts().LeftoverLength, 2040);
  const int bars[] = {5, 1, 1, 1};
  const int leftovers[] = {180, 85, 75, 980};
  for (int p = 1; p <= 4; ++p) {
    EXPECT_EQ(plan.Pattern(p).BarCount, bars[p - 1]);
    EXPECT_EQ(plan.Pattern(p).Leftover, leftovers[p - 1]);
  }
  EXPECT_EQ(plan.CutRow(1).Length, 900);  // the tables as planned: sorted
}

TEST(RunPlanner, TrialsOverrideWinsOverTheSelection) {
  test::RecordingProgress progress;
  ASSERT_EQ(PlanTrials(Example("reference.qzl"), progress, 100).Status, PlanStatus::Planned);
  EXPECT_EQ(progress.LossLabels.back(),
            std::make_pair(std::string("  8.787 %  (100)"), std::string("  2.510 %")));

  test::RecordingProgress again;
  const PlanResult result = PlanTrials(SmallJob(), again, 0);  // at least one trial
  EXPECT_EQ(again.LossLabels.size(), 1u);
  EXPECT_EQ(std::get<RunMethod>(result.Method).Trials, 1);
}

TEST(RunPlanner, NoPlanLeavesTheLabelsAlone) {
  const JobDocument page = JobOf({{"6000", "10"}, {"", ""}, {"5000", "2"}}, {{"7000", "1"}});
  test::RecordingProgress progress;
  const PlanResult result = PlanTrials(page, progress);
  EXPECT_EQ(result.Status, PlanStatus::NoPlan);
  EXPECT_FALSE(result.Stopped);
  EXPECT_TRUE(progress.LossLabels.empty());
  EXPECT_EQ(result.Document.StockRows[1].Length, "  5000");  // as planned: the blank row is gone
}

TEST(RunPlanner, TheJobAsPlannedIsTheCompactedPageInTypedOrder) {
  test::RecordingProgress progress;
  const PlanResult result = PlanTrials(Example("typed-with-gaps.qzl"), progress, 2);
  const char* const lengths[] = {"  9000", "  6000", "  5500", ""};
  for (int row = 0; row < 4; ++row) EXPECT_EQ(result.Document.StockRows[row].Length, lengths[row]);
  EXPECT_EQ(result.Document.Margin, "  5");
  EXPECT_EQ(result.Document.Kerf, "  0");
  EXPECT_EQ(result.Plan.StockRow(1).Length, 5500);  // only the plan's tables are sorted
}

TEST(RunPlanner, SameJobSameReport) {
  const JobDocument page = Example("full-cut-list.qzl");
  test::RecordingProgress first;
  test::RecordingProgress second;
  const PlanResult one = PlanTrials(page, first, 5);
  const PlanResult two = PlanTrials(page, second, 5);
  EXPECT_EQ(ReportBuilder().BuildReport(one), ReportBuilder().BuildReport(two));
  EXPECT_EQ(second.LossLabels, first.LossLabels);
}

}  // namespace
}  // namespace yobina
