// What a command checks of a job before it plans or keeps it: cells that are
// no number, and the digests the inventory knows jobs and plans by.
#include <gtest/gtest.h>

#include "app/number_cells.h"
#include "app/plan_digest.h"
#include "job/job_io.h"
#include "support/test_jobs.h"
#include "text/codec.h"

namespace yobina {
namespace {

TEST(NumberCells, TheFirstCellThatIsNoNumberIsNamedAsTheListShowsIt) {
  JobDocument document;
  document.StockRows[0] = {"  6000", Cp932("１，２５０")};
  document.CutRows[0] = {"1,250", "12mm"};
  document.CutRows[1] = {"", ""};
  EXPECT_FALSE(FirstUnreadableCell(document));

  document.CutRows[2] = {"1,25", "5"};
  document.StockRows[4] = {"7000", "1 0"};
  const std::optional<UnreadableCell> stock = FirstUnreadableCell(document);
  ASSERT_TRUE(stock);
  EXPECT_EQ(Cp932ToUtf8(stock->Message), "素材リスト 5行目: 本数「1 0」が数字ではありません");
  EXPECT_EQ(stock->Column, kCountColumn);

  document.StockRows[4] = {};
  const std::optional<UnreadableCell> cut = FirstUnreadableCell(document);
  ASSERT_TRUE(cut);
  EXPECT_EQ(Cp932ToUtf8(cut->Message), "切断リスト 3行目: 長さ「1,25」が数字ではありません");
  EXPECT_EQ(cut->Grid, GridId::Cut);
  EXPECT_EQ(cut->Row, 3);
}

// A kept plan is known by its digest in every later version: the layout of
// the digested values may not change without a new tag.
TEST(PlanDigest, StableAndSeesWhatMakesThePlan) {
  EXPECT_EQ(Fnv1a128(""), "6c62272e07bb014262b821756295c58d");
  EXPECT_EQ(Fnv1a128("a"), "d228cb696f1a8caf78912b704e4a8964");
  JobDocument document;
  document.MemberName = "H-200";
  document.StockRows[0] = {"  6000", "   10"};
  document.CutRows[0] = {"  2000", "    3"};
  EXPECT_EQ(JobDigest(document), "5450071bfb1f4a9259d75a7523c28c94");

  JobDocument offcutsOn = document;
  offcutsOn.OffcutMin = 1000;
  EXPECT_EQ(JobDigest(offcutsOn), JobDigest(document));  // no part of the file
  JobDocument otherCell = document;
  otherCell.CutRows[0].Count = "    4";
  EXPECT_NE(JobDigest(otherCell), JobDigest(document));

  // Three pieces from one bar, or from two.
  const auto planOf = [&](const JobDocument& job, int32_t bars) {
    TCutPlan cuts;
    cuts.PatternCount = 1;
    cuts.Patterns[1] = {1, 0, 0, {}, bars};
    cuts.Patterns[1].PieceCount[1] = bars == 1 ? 3 : 2;
    return test::ResultOf(job, PlanningJob(job), cuts);
  };
  const std::string digest = PlanDigest(planOf(document, 1));
  EXPECT_EQ(PlanDigest(planOf(document, 1)), digest);
  EXPECT_NE(PlanDigest(planOf(document, 2)), digest);
  EXPECT_NE(PlanDigest(planOf(offcutsOn, 1)), digest);
}

}  // namespace
}  // namespace yobina
