#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "report/printer_paper.h"
#include "report/report_lines.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

TEST(ReportTextTest, SpacesAndRepeat) {
  EXPECT_EQ(Spaces(3), "   ");
  EXPECT_EQ(Spaces(0), "");
  EXPECT_EQ(Spaces(-2), "");
  EXPECT_EQ(RepeatText("ab", 3), "ababab");
  EXPECT_EQ(RepeatText("ab", 0), "");
  EXPECT_EQ(RepeatText("ab", -1), "");
  EXPECT_EQ(RepeatText("x", 300), std::string(255, 'x'));
  EXPECT_EQ(RepeatText("", 5), "");
}

TEST(ReportTextTest, NumbersMatchPrintfInTheCLocale) {
  struct Case {
    double value;
    int width;
    int decimals;
  };
  const Case cases[] = {{17.5, 8, 3}, {0.137375, 8, 3}, {2.1, 7, 3},   {12, 6, 3},
                        {7.85, 0, 2}, {0.125, 6, 2},    {0.375, 6, 2}, {-3.5, 8, 3},
                        {1e9, 8, 3},  {99.9995, 6, 3},  {0, 6, 3},     {1234567.891, 8, 3}};
  for (const Case& c : cases) {
    char expected[128];
    std::snprintf(expected, sizeof expected, "%*.*f", c.width, c.decimals, c.value);
    EXPECT_EQ(FixedText(c.value, c.width, c.decimals), expected) << c.value;
  }
  EXPECT_EQ(IntText(42, 5), "   42");
  EXPECT_EQ(IntText(-42, 2), "-42");
  EXPECT_EQ(IntText(123456, 3), "123456");
}

TEST(ReportTextTest, DecimalPointIgnoresTheLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) {
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  const std::string text = FixedText(7.85, 0, 2);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(text, "7.85");
}

TEST(ReportTextTest, CutsEndBetweenCharacters) {
  const std::string kanji = Cp932("鋼");
  const std::string ellipsis = Cp932("…");
  const std::string name = "ab" + kanji + kanji + "c";  // 7 bytes
  EXPECT_EQ(CutToBytes(name, 7), name);
  EXPECT_EQ(CutToBytes(name, 5), "ab" + kanji);  // not the first byte of the second kanji
  EXPECT_EQ(CutToBytes(name, 3), "ab");
  EXPECT_EQ(CutToBytes(name, 0), "");
  // A text within the limit is kept byte for byte, even a stray lead byte at its end.
  EXPECT_EQ(CutToBytes("ab\x88", 3), "ab\x88");

  EXPECT_EQ(CutWithEllipsis(name, 7), name);
  EXPECT_EQ(CutWithEllipsis(name, 6), "ab" + kanji + ellipsis);
  EXPECT_EQ(CutWithEllipsis(name, 5), "ab" + ellipsis);  // not half the kanji before it
  EXPECT_EQ(CutWithEllipsis(name, 3), "a" + ellipsis);
  EXPECT_EQ(CutWithEllipsis(name, 1), "a");
}

TEST(ReportLinesTest, NameFieldsAreCutToWhatTheWindowTakes) {
  JobDocument page;
  const std::string kanji = Cp932("鋼");
  page.ProjectName = std::string(999, 'x');
  page.MemberName = std::string(31, 'y') + kanji;
  EXPECT_EQ(NameFieldText(page, FieldId::ProjectName), std::string(32, 'x'));
  EXPECT_EQ(NameFieldText(page, FieldId::MemberName), std::string(31, 'y'));
  page.MemberName = std::string(30, 'y') + kanji;
  EXPECT_EQ(NameFieldText(page, FieldId::MemberName), std::string(30, 'y') + kanji);
}

TEST(ReportLinesTest, DateForms) {
  const std::string indent(55, ' ');
  EXPECT_EQ(DateLine(12, 4, 1), Cp932(indent + "平成 12 年  4 月  1 日 作成"));
  EXPECT_EQ(DateLine(99, 13, 45), Cp932(indent + "平成 99 年 13 月 45 日 作成"));
  EXPECT_EQ(DateLine(2000, 12, 31), Cp932(indent + "   2000 年 12 月 31 日 作成"));
  EXPECT_EQ(DateLine(1001, 0, 0), Cp932(indent + "   1001 年  0 月  0 日 作成"));
  for (const int32_t year : {0, -5, 100, 500, 1000}) EXPECT_EQ(DateLine(year, 1, 1), std::nullopt) << year;
}

TEST(ReportLinesTest, MemberNameIsPaddedAndCutToFortyBytes) {
  const std::string prefix = Cp932("部材名：");
  EXPECT_EQ(MemberNameLine("H-200", 0), prefix + "H-200" + std::string(35, ' '));
  EXPECT_EQ(MemberNameLine("", -1), prefix + std::string(40, ' '));
  EXPECT_EQ(MemberNameLine("C", 7.85), prefix + "C" + std::string(39, ' ') + Cp932("単位重量 = 7.85(Kg/m)"));
  EXPECT_EQ(MemberNameLine("C", 0.005), prefix + "C" + std::string(39, ' ') + Cp932("単位重量 = 0.01(Kg/m)"));

  // 39 one-byte characters then a kanji: only its first byte is kept.
  const std::string kanji = Cp932("鋼");
  const std::string line = MemberNameLine(std::string(39, 'a') + kanji + "tail", 0);
  EXPECT_EQ(line, prefix + std::string(39, 'a') + kanji.substr(0, 1));
  EXPECT_EQ(line.size(), prefix.size() + 40);
}

TEST(ReportLinesTest, ListCellAndTotals) {
  EXPECT_EQ(ListCell(1800, 3), Cp932("        1800×   3本"));
  EXPECT_EQ(ListCell(123456, 12345), Cp932("      123456×12345本"));  // wide numbers push right
  EXPECT_EQ(MarginKerfLine(15, 3), Cp932("素材の余裕 = 15(mm)   切り代 = 3(mm)"));
  EXPECT_EQ(LengthTotalsLine(17500, 15400, 2100, 12),
            Cp932(" 素材延長=  17.500(m)  部材延長=  15.400(m)  残材長=  2.100(m)  残材率=12.000(%)"));
  EXPECT_EQ(LengthTotalsLine(17500, 15400, 2100, 12).size(), 80U);
  EXPECT_EQ(WeightTotalsLine(17500, 15400, 7.85, 3.25),
            Cp932(" 素材重量=   0.137(t)  部材重量=   0.121(t)" + std::string(21, ' ') + "ロス率= 3.250(%)"));
  EXPECT_EQ(WeightTotalsLine(17500, 15400, 7.85, 3.25).size(), 80U);
}

TEST(ReportLinesTest, OptimalPlanNotesStayWithinTheReportWidth) {
  EXPECT_EQ(ProvenOptimalLine(2.51), Cp932(" 最適化: 証明済みの最適計画   下限ロス率= 2.510(%)"));
  EXPECT_EQ(UnprovenLine(2.4, 1.2),
            Cp932(" 最適化: 未証明   下限ロス率= 2.400(%)   最適との差 1.200(m) 以内"));
  EXPECT_EQ(UnprovenLine(0.241, 0.424),
            Cp932(" 最適化: 未証明   下限ロス率= 0.241(%)   最適との差 424mm 以内"));
  EXPECT_EQ(UnprovenLine(0.241, 0.9995),
            Cp932(" 最適化: 未証明   下限ロス率= 0.241(%)   最適との差 1000mm 以内"));
  EXPECT_EQ(SetupsLine(10, 10, true), Cp932(" 段取り: パターン数= 10"));
  EXPECT_EQ(SetupsLine(12, 9, false), Cp932(" 段取り: パターン数= 12 (下限 9)"));
  EXPECT_EQ(SetupsLine(12, 0, false), Cp932(" 段取り: パターン数= 12 (未証明)"));
  EXPECT_EQ(WithoutShortFirstLine(610272, 0.5, true),
            Cp932(" 参考: 5000mm未満の素材を優先しなければ 素材延長= 610.272(m) ロス率= 0.500(%)"));
  EXPECT_EQ(WithoutShortFirstLine(12000, 12.25, false),
            Cp932(" 参考: 5000mm未満の素材を優先しなければ 素材延長=  12.000(m) ロス率=12.250(%)以下"));
  // The largest figures the input page allows: 35 stock rows of 999999 mm x 99999.
  const double largestGap = 35.0 * 999999 * 99999 / 1000;
  for (const std::string& line : {ProvenOptimalLine(100), UnprovenLine(100, largestGap),
                                  UnprovenLine(100, 0.999), WithoutShortFirstLine(9999999, 100, false)}) {
    EXPECT_LE(line.size(), 82U) << Cp932ToUtf8(line);
  }
}

TEST(PrinterPaperTest, NameTable) {
  struct Case {
    std::string paper;
    std::string orientation;  // UTF-8
    std::optional<int16_t> paperSize;
    std::optional<int16_t> orientationCode;
  };
  const Case cases[] = {
      {"A4", "たて", 9, 1},
      {"B5", "よこ", 13, 2},
      {"A2", "", 66, std::nullopt},
      {"A3", "縦", 8, std::nullopt},
      {"B4", "タテ", 12, std::nullopt},
      {"a4", "たて", std::nullopt, 1},
      {"A4 ", "よこ", std::nullopt, 2},
      {"", "", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const TPaperSetup setup = PaperSetupFor(c.paper, Cp932(c.orientation));
    EXPECT_EQ(setup.PaperSize, c.paperSize) << c.paper;
    EXPECT_EQ(setup.Orientation, c.orientationCode) << c.orientation;
    EXPECT_TRUE(setup.Monochrome);
  }
  // The orientation is compared as code page 932 bytes, not as UTF-8.
  EXPECT_EQ(PaperSetupFor("A4", "たて").Orientation, std::nullopt);
}

}  // namespace
}  // namespace yobina
