#include "project/stock_trace.h"

#include <gtest/gtest.h>

#include <string>

#include "project/parts_list.h"
#include "text/codec.h"

namespace yobina {
namespace {

// Stock rows 1 and 3 typed; row 2 blank.
JobDocument Job() {
  JobDocument document;
  document.StockRows[0] = {"6000", "10"};
  document.StockRows[2] = {"2495", "2"};
  return document;
}

std::string Problems(const StockTraceRead& read) {
  std::string text;
  for (const std::string& problem : read.Problems) text += Cp932ToUtf8(problem) + "\n";
  return text;
}

TEST(StockTrace, GivesTheSteelOfTheRowsItNames) {
  const std::string utf8 = "行,溶鋼番号,鋼種,長さ\r\n3,H-2,SN490B,2495\r\n1,H-1,,\r\n";
  for (const std::string& bytes : {utf8, Cp932(utf8)}) {
    const StockTraceRead read = ReadStockTrace(bytes, Job());
    ASSERT_TRUE(read.Problems.empty()) << Problems(read);
    ASSERT_EQ(read.Rows.size(), Job().StockRows.size());
    EXPECT_EQ(read.Rows[0], (SteelTrace{"", "H-1", ""}));
    EXPECT_TRUE(read.Rows[1].Empty());
    EXPECT_EQ(read.Rows[2], (SteelTrace{"SN490B", "H-2", ""}));
  }
}

// A heat number on the wrong bars is worse than none: any doubt refuses the file.
TEST(StockTrace, ALineThatMayNameTheWrongBarsRefusesTheFile) {
  const std::string header = "行,長さ,溶鋼番号\n";
  const std::pair<std::string, std::string> cases[] = {
      {header + "2,,H-1\n", "2行目: 素材リストの 2 行目は空です。"},
      {header + "1,5000,H-1\n", "2行目: 長さ 5000 が素材リストの 1 行目の長さ 6000 と違います。"},
      {header + "1,,H-1\n1,,H-2\n", "3行目: 行 1 は 2行目にもあります。"},
      {header + "99,,H-1\n", "2行目: 行「99」が大きすぎます"},
      {header + "1,,\"H-\n1\"\n", "2行目: 引用符(\")の中で改行しています。"},
      {"長さ,溶鋼番号\n6000,H-1\n", "列「行」がありません"},
  };
  for (const auto& [bytes, problem] : cases) {
    const StockTraceRead read = ReadStockTrace(bytes, Job());
    EXPECT_TRUE(read.Rows.empty()) << bytes;
    EXPECT_NE(Problems(read).find(problem), std::string::npos) << Problems(read);
  }
}

// A building's stock list takes the same columns; its parts list does not.
TEST(StockTrace, TheBuildingsStockListTakesTheSteelColumns) {
  const std::string bytes = "部材名,長さ,本数,鋼種,溶鋼番号,ミルシート番号\nH-200,6000,2,SS400,H-1,M-1\n";
  const PartsListRead stock = ReadPartsList(bytes, InputFile::Stock);
  ASSERT_TRUE(stock.Issues.empty());
  EXPECT_EQ(stock.Parts.at(0).Trace, (SteelTrace{"SS400", "H-1", "M-1"}));
  EXPECT_FALSE(ReadPartsList(bytes, InputFile::Parts).Issues.empty());
}

}  // namespace
}  // namespace yobina
