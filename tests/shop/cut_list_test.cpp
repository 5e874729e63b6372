#include "shop/cut_list.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "shop/part_marks.h"
#include "support/test_jobs.h"
#include "text/codec.h"

namespace yobina {
namespace {

// Cut rows 900, 1300, 1700, 2300 (rows 1-4); stock rows 6000 and 7000.
// Two bars of 6000 cut to 2300, 1700, 900, 900; one of 7000 to 1300 × 5;
// one of 6000 listed but not cut.
PlanResult ExamplePlan(int32_t offcutMin) {
  const TJob job = test::SortedJob({{6000, 3}, {7000, 1}}, {{2300, 2}, {1700, 2}, {1300, 5}, {900, 4}}, 0, 0);
  TCutPlan plan;
  const auto add = [&](int32_t stockRow, int32_t bars, std::map<int32_t, int32_t> pieces, double leftover) {
    TCutPattern& pattern = plan.Patterns[++plan.PatternCount];
    pattern.StockRow = stockRow;
    pattern.BarCount = bars;
    pattern.Leftover = leftover;
    for (const auto& [row, count] : pieces) pattern.PieceCount[row] = count;
  };
  add(1, 2, {{4, 1}, {3, 1}, {1, 2}}, 200);
  add(2, 1, {{2, 5}}, 500);
  add(1, 1, {}, 6000);
  JobDocument document;
  document.ProjectName = Cp932("港北,第2期");
  document.MemberName = Cp932("Ｌ－７５×７５×６");
  document.OffcutMin = offcutMin;
  return test::ResultOf(document, job, plan);
}

std::string Utf8Lines(std::initializer_list<const char*> lines) {
  std::string text = "\xEF\xBB\xBF";
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

TEST(CutList, OneLineAPieceInCuttingOrderWithTheLeftoverOnTheBarsLastLine) {
  ShopInput input;
  input.Grade = Cp932("SS400");
  EXPECT_EQ(CutListCsv(MakeCutList(ExamplePlan(1000), input)),
            Utf8Lines({
                "工事名,部材名,鋼種,素材No,素材長,出所,溶鋼番号,切断順,符号,長さ,節,残り,残りの扱い",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,1,6000,手持ち,,1,#4,2300,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,1,6000,手持ち,,2,#3,1700,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,1,6000,手持ち,,3,#1,900,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,1,6000,手持ち,,4,#1,900,,200,端材",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,2,6000,手持ち,,1,#4,2300,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,2,6000,手持ち,,2,#3,1700,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,2,6000,手持ち,,3,#1,900,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,2,6000,手持ち,,4,#1,900,,200,端材",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,3,7000,手持ち,,1,#2,1300,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,3,7000,手持ち,,2,#2,1300,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,3,7000,手持ち,,3,#2,1300,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,3,7000,手持ち,,4,#2,1300,,,",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,3,7000,手持ち,,5,#2,1300,,500,端材",
                "\"港北,第2期\",Ｌ－７５×７５×６,SS400,4,6000,手持ち,,,,,,6000,残材",
            }));
  // Without a minimum offcut length a leftover is just that.
  const std::string off = CutListCsv(MakeCutList(ExamplePlan(0), input));
  EXPECT_NE(off.find(",4,#1,900,,200,\r\n"), std::string::npos);
  EXPECT_EQ(off.find(Cp932ToUtf8(Cp932("端材"))), std::string::npos);
}

TEST(CutList, TheOffcutsAreTheBarsLeftOfTheMinimumButAnInventoryBarThePlanOnlyLists) {
  ShopInput input;
  EXPECT_EQ(MakeCutList(ExamplePlan(500), input).Offcuts.size(), 2u);  // 7000's 500 and the idle 6000
  EXPECT_EQ(MakeCutList(ExamplePlan(0), input).Offcuts.size(), 0u);

  // The 6000s are inventory entries 7 (one bar) and 9 (two): the cut bars
  // take them first, the listed one after; the 7000 was bought.
  input.StockRows = {{{BarOrigin::Offcut, 7, 1, "H1"}, {BarOrigin::Offcut, 9, 2, "H2"}}};
  input.OtherBars = BarOrigin::Bought;
  const CutList list = MakeCutList(ExamplePlan(500), input);
  std::vector<std::string> origins;
  for (const CutBar& bar : list.Bars) origins.push_back(Cp932ToUtf8(OriginText(bar)) + " " + bar.Heat);
  EXPECT_EQ(origins, (std::vector<std::string>{"残材#7 H1", "残材#9 H2", "購入 ", "残材#9 H2"}));
  ASSERT_EQ(list.Offcuts.size(), 1u);
  EXPECT_EQ(list.Offcuts[0].Bar, 3);
  EXPECT_EQ(list.Offcuts[0].Length, 500);
  EXPECT_EQ(list.Offcuts[0].Id, 0);
}

TEST(CutList, PiecesTakeThePartsMarksByPhaseMarkAndListWithTheirCounts) {
  ShopInput input;
  input.CutRows.resize(4);
  input.CutRows[1] = {{"B10", "2", 1}, {"B2", "2", 2}, {"C1", "1", 2}};  // the five 1300s
  input.CutRows[3] = {{"G1", "", 1}};                                    // one of the two 2300s
  const CutList list = MakeCutList(ExamplePlan(0), input);
  std::vector<std::string> marks1300;
  std::vector<std::string> marks2300;
  for (const CutBar& bar : list.Bars) {
    for (const CutPiece& piece : bar.Pieces) {
      if (piece.Length == 1300) marks1300.push_back(piece.Mark + "/" + piece.Phase);
      if (piece.Length == 2300) marks2300.push_back(piece.Mark);
    }
  }
  EXPECT_EQ(marks1300, (std::vector<std::string>{"C1/1", "C1/1", "B2/2", "B2/2", "B10/2"}));
  EXPECT_EQ(marks2300, (std::vector<std::string>{"G1", "#4"}));  // a piece past the parts: its row
  EXPECT_EQ(CutListCsv(MakeCutList(ExamplePlan(0), input)), CutListCsv(list));
}

TEST(CutList, MarksCompareDigitsAsNumbers) {
  EXPECT_TRUE(NaturalLess("G2", "G10"));
  EXPECT_FALSE(NaturalLess("G10", "G2"));
  EXPECT_TRUE(NaturalLess(Cp932("2節"), Cp932("10節")));
  EXPECT_TRUE(NaturalLess("", "A"));
  EXPECT_TRUE(NaturalLess("G", "G1"));
  EXPECT_TRUE(NaturalLess("G02", "G2"));  // equal as numbers: by bytes, never both ways
  EXPECT_FALSE(NaturalLess("G2", "G02"));
  EXPECT_TRUE(NaturalLess("B9X", "B10"));
}

TEST(CutList, QrTextsAreUtf8WithTheBarEscaped) {
  ShopInput input;
  input.CutRows = {{{Cp932("ポ|1"), "", 2}}};  // ポ's second byte is the code of "|"
  const CutList list = MakeCutList(ExamplePlan(500), input);
  EXPECT_EQ(PieceQrText(list, list.Bars[0], list.Bars[0].Pieces[2]),
            "yobina1|港北,第2期|Ｌ－７５×７５×６|1|3|ポ｜1|900");
  EXPECT_EQ(OffcutQrText(list, list.Offcuts[0]), "yobina1|残材||Ｌ－７５×７５×６|500");
  KeptOffcut kept = list.Offcuts[0];
  kept.Id = 42;
  EXPECT_EQ(OffcutQrText(list, kept), "yobina1|残材|42|Ｌ－７５×７５×６|500");
}

}  // namespace
}  // namespace yobina
