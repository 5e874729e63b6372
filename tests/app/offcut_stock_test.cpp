#include "app/offcut_stock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "app/job_shop_input.h"
#include "job/job_io.h"
#include "shop/cut_list.h"
#include "support/test_jobs.h"

namespace yobina {
namespace {

// Stock: 6000 x 10 (typed), 2495 x 2 (typed), then the free rows.
JobDocument TypedJob() {
  JobDocument document;
  document.MemberName = "H-200";
  document.StockRows[0] = {"6000", "10"};
  document.StockRows[1] = {"2495", "2"};
  document.CutRows[0] = {"2000", "3"};
  return document;
}

// The plan cuts 1 bar of the typed 2495 row, 2 of the taken 2495 row, and one
// 6000 bar that leaves a 1500 offcut. Rows of one length are told apart by
// their counts, whatever order the sort leaves them in.
PlanResult PlanOf(const JobDocument& document) {
  const TJob job = PlanningJob(document);
  TCutPlan cuts;
  const auto rowOf = [&](int32_t length, int32_t count) {
    for (int32_t i = 1; i <= job.StockCount; ++i)
      if (job.StockTable[i].Length == length && job.StockTable[i].Count == count) return i;
    return 0;
  };
  cuts.PatternCount = 3;
  cuts.Patterns[1] = {rowOf(2495, 3), 495, 0, {}, 2};
  cuts.Patterns[2] = {rowOf(2495, 2), 495, 0, {}, 1};
  cuts.Patterns[3] = {rowOf(6000, 10), 1500, 0, {}, 1};
  for (int32_t p = 1; p <= 3; ++p) cuts.Patterns[p].PieceCount[1] = p == 3 ? 2 : 1;
  // A taken 1200 bar no piece fits: listed by the short-first rule, cut not at all.
  if (const int32_t idle = rowOf(1200, 1)) cuts.Patterns[++cuts.PatternCount] = {idle, 1200, 100, {}, 1};
  return test::ResultOf(document, job, cuts);
}

TEST(OffcutStock, KeepRemovesTheTakenBarsThePlanCutsAndAddsItsOffcuts) {
  JobDocument document = TypedJob();
  document.OffcutMin = 1000;
  EXPECT_EQ(FreeStockRows(document), kGridDataRows - 2);
  const TakenRow taken{2495, 3, {{7, 1}, {9, 2}}};
  const std::vector<PlacedOffcutRow> placed = PlaceTakenRows(document, {taken});
  ASSERT_EQ(placed, (std::vector<PlacedOffcutRow>{{2, taken}}));

  const std::optional<KeepRequest> request = KeepRequestOf(PlanOf(document), placed, "job", "2026-12-08");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->Section, "H-200");
  EXPECT_EQ(request->Used, (std::vector<EntryUse>{{7, 1}, {9, 1}}));
  ASSERT_EQ(request->Offcuts.size(), 1u);
  EXPECT_EQ(request->Offcuts[0].Length, 1500);
  EXPECT_EQ(request->Offcuts[0].Count, 1);
}

// Each bar the plan cuts carries its steel onto the cut list and into the
// offcut it leaves: a taken entry's, or its typed row's from a stock trace.
TEST(OffcutStock, PiecesShowTheHeatOfTheirBarAndItsOffcutInheritsIt) {
  JobDocument document = TypedJob();
  document.OffcutMin = 400;  // the 495 mm leftovers of the 2495 bars are kept too
  const SteelTrace a{"SN490B", "A-1", "M-1"}, b{"", "B-2", ""}, typed{"SS400", "T-3", "M-3"};
  const std::vector<PlacedOffcutRow> placed =
      PlaceTakenRows(document, {TakenRow{2495, 3, {{7, 1, a}, {9, 2, b}}}});
  std::vector<SteelTrace> rowTraces(document.StockRows.size());
  rowTraces[1] = typed;
  const PlanResult result = PlanOf(document);

  const CutList list = MakeCutList(result, JobShopInput(result, placed, "job", "2026-12-08", rowTraces));
  std::vector<std::string> heats;
  for (const CutBar& bar : list.Bars) heats.push_back(bar.Heat);
  EXPECT_EQ(heats, (std::vector<std::string>{"A-1", "B-2", "T-3", ""}));
  EXPECT_NE(CutListCsv(list).find(",SN490B,1,2495,残材#7,A-1,1,#1,2000,"), std::string::npos);

  const std::optional<KeepRequest> request = KeepRequestOf(result, placed, "job", "2026-12-08", rowTraces);
  ASSERT_TRUE(request);
  std::vector<std::tuple<int32_t, int32_t, SteelTrace>> offcuts;
  for (const NewOffcut& offcut : request->Offcuts)
    offcuts.emplace_back(offcut.Length, offcut.Count, offcut.Trace);
  std::sort(offcuts.begin(), offcuts.end());
  EXPECT_EQ(offcuts, (std::vector<std::tuple<int32_t, int32_t, SteelTrace>>{
                         {495, 1, b}, {495, 1, a}, {495, 1, typed}, {1500, 1, {}}}));
}

TEST(OffcutStock, ATakenBarThePlanCutsNothingFromStaysInTheInventoryAsItWas) {
  JobDocument document = TypedJob();
  document.OffcutMin = 1000;
  const std::vector<PlacedOffcutRow> placed =
      PlaceTakenRows(document, {TakenRow{2495, 3, {{7, 3}}}, TakenRow{1200, 1, {{8, 1}}}});
  const std::optional<KeepRequest> request = KeepRequestOf(PlanOf(document), placed, "job", "2026-12-08");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->Used, (std::vector<EntryUse>{{7, 2}}));
  ASSERT_EQ(request->Offcuts.size(), 1u);  // the 1500 of the 6000 bar; the idle 1200 is not new
  EXPECT_EQ(request->Offcuts[0].Length, 1500);
}

TEST(OffcutStock, ARowTypedOverSinceItWasTakenIsTheUsersOwn) {
  JobDocument document = TypedJob();
  const std::vector<PlacedOffcutRow> placed = PlaceTakenRows(document, {TakenRow{2495, 3, {{7, 3}}}});
  document.StockRows[2].Count = std::to_string(4);  // a literal here trips a false -Wrestrict of GCC 12
  const std::optional<KeepRequest> request = KeepRequestOf(PlanOf(document), placed, "job", "2026-12-08");
  ASSERT_TRUE(request);
  EXPECT_TRUE(request->Used.empty());
  EXPECT_TRUE(request->Offcuts.empty());  // offcuts off
}

TEST(OffcutStock, TakenRowsFollowTheRowsAsTheyCloseUp) {
  JobDocument document = TypedJob();
  document.StockRows[1] = {};  // a gap above the taken row
  document.StockRows[2] = {std::string("2495"), std::string("3")};
  const std::vector<PlacedOffcutRow> placed = {{2, TakenRow{2495, 3, {}}}, {5, TakenRow{1000, 1, {}}}};
  const std::vector<PlacedOffcutRow> followed = FollowTidying(document, placed);
  ASSERT_EQ(followed.size(), 1u);  // row 5 holds nothing
  EXPECT_EQ(followed[0].Row, 1);
}

}  // namespace
}  // namespace yobina
