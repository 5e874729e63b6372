#include "project/project_input.h"

#include <gtest/gtest.h>

#include <string>

#include "text/codec.h"

namespace yobina {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::string Sjis(std::string_view utf8) {
  return Cp932(utf8);
}

ProjectInput Read(const std::string& parts, const std::optional<std::string>& catalogue = std::nullopt,
                  const ProjectSettings& settings = {}) {
  return ReadProject(parts, catalogue ? std::optional<std::string_view>(*catalogue) : std::nullopt,
                     std::nullopt, settings);
}

std::string AllIssues(const ProjectInput& input) {
  std::string text;
  for (const LineIssue& issue : input.Issues) text += Cp932ToUtf8(IssueText(issue)) + "\n";
  return text;
}

TEST(ProjectInput, ReadsTheListInAnyOfItsEncodingsAndHeaderForms) {
  const std::string utf8 =
      "部材名,長さ,本数,符号,単位重量\r\n"
      "H-400×200,6000,2,G1,65.4\r\n"
      "L-65×6,1200,3,V1,5.91\r\n"
      "H-400×200,6000,1,G2,65.4\r\n"
      "H-400×200,3500,4,G3,\r\n";
  for (const std::string& bytes : {utf8, kBom + utf8, Sjis(utf8)}) {
    const ProjectInput input = Read(bytes);
    ASSERT_TRUE(input.Ready) << AllIssues(input);
    ASSERT_EQ(input.Sections.size(), 2U);
    const SectionInput& h = input.Sections[0];
    EXPECT_EQ(h.Name, Sjis("H-400×200"));
    EXPECT_EQ(h.UnitWeight, 65.4);
    ASSERT_EQ(h.Cuts.size(), 2U);
    EXPECT_EQ(h.Cuts[0].Length, 3500);
    EXPECT_EQ(h.Cuts[1].Length, 6000);
    EXPECT_EQ(h.Cuts[1].Count, 3);  // two lines merged
    EXPECT_EQ(h.Cuts[1].Marks, (std::vector<std::string>{"G1", "G2"}));
    EXPECT_EQ(h.Cuts[1].Lines, (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(h.Lengths.size(), 13U);  // 6000..12000 in 500 mm steps
  }

  // English names in any case, with blanks, in another order; a quoted mark
  // spanning two lines is a bad line, and the rows after it keep their numbers.
  const ProjectInput english = Read(
      " LENGTH , Count,Section , Mark\n"
      "2500,1,C-100×50,\"P1,\nP2\"\n"
      "2500,x,C-100×50,P3\n");
  ASSERT_FALSE(english.Ready);
  ASSERT_EQ(english.Issues.size(), 2U);
  EXPECT_EQ(english.Issues[0].Line, 2);
  EXPECT_EQ(english.Issues[1].Line, 4);
  EXPECT_NE(AllIssues(english).find("本数「x」が数値ではありません"), std::string::npos)
      << AllIssues(english);
}

TEST(ProjectInput, EveryBadLineIsNamedWithItsReason) {
  const std::string header = "部材名,長さ,本数\n";
  struct Case {
    std::string bytes;
    int32_t line;
    std::string reason;  // UTF-8, part of the message
  };
  const Case cases[] = {
      {"H-400×200,6000,2\n", 1, "見出し行がありません"},
      {"部材名,長さ,数\nH,6000,2\n", 1, "見出し「数」は知らない列名です"},
      {"部材名,長さ\nH,6000\n", 1, "列「本数」がありません"},
      {header + "H,6000,2\nH,6000,-3\n", 3, "本数「-3」は1以上にしてください"},
      {header + "H,,2\n", 2, "長さがありません"},
      {header + "H,12000.5,2\n", 2, "長さ「12000.5」が整数ではありません"},
      {header + ",6000,2\n", 2, "部材名がありません"},
      {header + "H,6000,2,7\n", 2, "見出しのない列に値があります"},
      {header + "H,13000,2\nH,6000,2\n", 2, "13000 mm の部材は、買える最も長い定尺 12000 mm"},
      {header + "H,\"6000,2\n", 2, "引用符(\")が閉じていません"},
      {header + "\"H-400\r\n×200\",6000,2\n", 2, "引用符(\")の中で改行しています"},
      // A line in UTF-8 among lines in Shift-JIS.
      {Sjis(header + "Ｈ形鋼,6000,2\nＨ形鋼,5000,1\n") + "Ｈ形鋼,4000,1\n", 4,
       "この行は UTF-8 で書かれています"},
      {header + "H\xFF\xFE,6000,2\n", 2, "UTF-8 でもシフトJIS(CP932)でもない"},
      {"\xFF\xFE"
       "a\0,\0",
       0, "UTF-16 のファイルは読めません"},
      {header + "H-400×200,6000,2,\n" + "L,1000,1,,\n", 0, ""},  // trailing empty cells are no fault
  };
  for (const Case& c : cases) {
    const ProjectInput input = Read(c.bytes);
    if (c.reason.empty()) {
      EXPECT_TRUE(input.Ready) << AllIssues(input);
      continue;
    }
    EXPECT_FALSE(input.Ready) << c.bytes;
    EXPECT_TRUE(input.Sections.empty());
    ASSERT_FALSE(input.Issues.empty()) << c.bytes;
    EXPECT_EQ(input.Issues[0].Line, c.line) << AllIssues(input);
    EXPECT_NE(AllIssues(input).find(c.reason), std::string::npos) << AllIssues(input);
  }
}

TEST(ProjectInput, SkippingBadLinesPlansTheRest) {
  ProjectSettings settings;
  settings.SkipBadLines = true;
  const ProjectInput input = Read(
      "部材名,長さ,本数,単位重量\n"
      "H,6000,2,20\n"
      "H,7000,0,20\n"
      "H,13000,1,20\n"
      "H,5000,1,21\n"  // differs from line 2's unit weight
      "L,1000,1,\n",
      std::nullopt, settings);
  ASSERT_TRUE(input.Ready) << AllIssues(input);
  ASSERT_EQ(input.Issues.size(), 3U);
  EXPECT_EQ(input.Issues[0].Line, 3);
  EXPECT_EQ(input.Issues[1].Line, 4);
  EXPECT_EQ(input.Issues[2].Line, 5);
  ASSERT_EQ(input.Sections.size(), 2U);
  ASSERT_EQ(input.Sections[0].Cuts.size(), 1U);
  EXPECT_EQ(input.Sections[0].Cuts[0].Length, 6000);

  // A file that cannot be read at all is not skipped.
  EXPECT_FALSE(Read("H,6000,2\n", std::nullopt, settings).Ready);
}

TEST(ProjectInput, TheCatalogueGivesEachSectionItsLengthsPricesKerfAndMargin) {
  const std::string parts = "部材名,長さ,本数\nH,5000,1\nL,2000,1\nC,2000,1\n";
  const ProjectInput input = Read(parts,
                                  "部材名,長さ,円/本,円/t,切り代,余裕\n"
                                  "*,6000,,90000,,\n"
                                  "*,9000,,90000,,\n"
                                  "H,5500,20000,,3,10\n"
                                  "L,6000,,,2,\n");
  ASSERT_TRUE(input.Ready) << AllIssues(input);
  const SectionInput& h = input.Sections[0];
  ASSERT_EQ(h.Lengths.size(), 1U);
  EXPECT_EQ(h.Lengths[0].Kind, PriceKind::PerBar);
  EXPECT_EQ(h.Lengths[0].Price, 20000);
  EXPECT_EQ(h.Kerf, 3);
  EXPECT_EQ(h.Margin, 10);
  EXPECT_EQ(input.Sections[1].Lengths[0].Kind, PriceKind::None);
  EXPECT_EQ(input.Sections[1].Kerf, 2);
  const SectionInput& c = input.Sections[2];  // the * lines
  ASSERT_EQ(c.Lengths.size(), 2U);
  EXPECT_EQ(c.Lengths[1].Length, 9000);
  EXPECT_EQ(c.Lengths[1].Kind, PriceKind::PerTonne);
  EXPECT_EQ(c.Kerf, 0);

  const ProjectInput bad = Read(parts,
                                "部材名,長さ,円/本,円/t,切り代\n"
                                "H,6000,100,200,\n"
                                "L,6000,,,2\n"
                                "L,6000,,,2\n"
                                "L,7000,,,3\n");
  ASSERT_FALSE(bad.Ready);
  const std::string issues = AllIssues(bad);
  EXPECT_NE(issues.find("定尺表 2行目: 円/本と円/tの両方"), std::string::npos) << issues;
  EXPECT_NE(issues.find("定尺表 4行目: 同じ部材名と長さの行が3行目にも"), std::string::npos) << issues;
  EXPECT_NE(issues.find("定尺表 5行目: 切り代が同じ部材名の3行目と違います"), std::string::npos) << issues;
  EXPECT_NE(issues.find("部品表 4行目: 部材名「C」は定尺表にありません"), std::string::npos) << issues;
}

}  // namespace
}  // namespace yobina
