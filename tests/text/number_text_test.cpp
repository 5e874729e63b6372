#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "text/codec.h"

namespace yobina {
namespace {

struct ParseCase {
  const char* text;
  double expected;
};

class TextToRealTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TextToRealTest, ReadsTheLeadingNumber) {
  const ParseCase& c = GetParam();
  EXPECT_DOUBLE_EQ(TextToReal(c.text), c.expected) << "text: [" << c.text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToRealTest,
    ::testing::Values(ParseCase{"", 0}, ParseCase{"abc", 0}, ParseCase{"-", 0}, ParseCase{"+", 0},
                      ParseCase{".", 0}, ParseCase{"-.", 0}, ParseCase{"  6000", 6000},
                      ParseCase{"6000mm", 6000}, ParseCase{"12.5", 12.5}, ParseCase{".5", 0.5},
                      ParseCase{"-.5", -0.5}, ParseCase{"+.5", 0.5}, ParseCase{"+12", 12},
                      ParseCase{"-12.25x", -12.25}, ParseCase{"1.5e+2", 150}, ParseCase{"2.5E-003", 0.0025},
                      ParseCase{"1.5e+2345", 1.5e+234},  // at most three digits
                      ParseCase{"1e+2", 1}, ParseCase{"1.5e2", 1.5}, ParseCase{"1.5e+", 1.5},
                      ParseCase{"1.5e+x", 1.5}, ParseCase{"1.2.3", 1.2}, ParseCase{"1,234", 1},
                      ParseCase{"\t5", 0}, ParseCase{"5 6", 5}, ParseCase{"- 5", 0},
                      ParseCase{"1.5e+999", 0},  // out of range: no number
                      ParseCase{"00012", 12}));

TEST(TextToReal, StopsCollectingAfter32Characters) {
  EXPECT_DOUBLE_EQ(TextToReal(std::string(40, '1')), 1.1111111111111111e31);
  // The cut falls inside the exponent: the collected text is no number.
  EXPECT_DOUBLE_EQ(TextToReal("1." + std::string(29, '0') + "e+12"), 0);
  EXPECT_DOUBLE_EQ(TextToReal("1." + std::string(26, '0') + "e+12"), 1e12);
}

TEST(TextToReal, KeepsFullWidthTextAsNoNumber) {
  EXPECT_DOUBLE_EQ(TextToReal(Cp932("１２")), 0);
  EXPECT_DOUBLE_EQ(TextToReal(Cp932("　12")), 0);  // only the one-byte space is skipped
}

struct IntCase {
  const char* text;
  int32_t expected;
};

class TextToIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToIntTest, TruncatesAndSaturates) {
  EXPECT_EQ(TextToInt(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToIntTest,
                         ::testing::Values(IntCase{"12.9", 12}, IntCase{"-12.9", -12}, IntCase{"-0.9", 0},
                                           IntCase{"6000.9", 6000}, IntCase{"2147483647", 2147483647},
                                           IntCase{"2147483648", 2147483647},
                                           IntCase{"99999999999", 2147483647},
                                           IntCase{"-2147483648", -2147483647},
                                           IntCase{"-1.0e+300", -2147483647}, IntCase{"x", 0}));

struct FormatCase {
  int32_t code;
  double value;
  const char* text;
  const char* blankZero;
  const char* spaceZero;
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, FormatsByCode) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(RealToText(c.code, c.value), c.text);
  EXPECT_EQ(RealToTextBlankZero(c.code, c.value), c.blankZero);
  EXPECT_EQ(RealToTextSpaceZero(c.code, c.value), c.spaceZero);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatTest,
    ::testing::Values(FormatCase{30, 5, "  5", "  5", "  5"}, FormatCase{30, 0, "  0", "", "   "},
                      FormatCase{82, 12.5, "   12.50", "   12.50", "   12.50"},
                      FormatCase{60, 123456789, "123456789", "123456789", "123456789"},
                      FormatCase{50, 0, "    0", "", "     "}, FormatCase{40, 0, "   0", "", "    "},
                      FormatCase{50, 0.4, "    0", "", "     "},  // blank by the text, not the value
                      FormatCase{50, -3, "   -3", "   -3", "   -3"},
                      FormatCase{60, 6000, "  6000", "  6000", "  6000"},
                      FormatCase{82, 0.004, "    0.00", "", "        "},
                      FormatCase{82, -0.004, "   -0.00", "", "        "},
                      FormatCase{2, 1.0 / 3.0, "0.33", "0.33", "0.33"},  // width 0
                      FormatCase{250, 7, "                   7", "                   7",
                                 "                   7"},  // width capped at 20
                      FormatCase{250, 0, "                   0", "", "                         "},
                      FormatCase{0, 2.5, "2", "2", "2"},  // an exact tie goes to the even digit
                      FormatCase{0, 3.5, "4", "4", "4"}));

TEST(RealToText, CutsTheResultTo32Characters) {
  const std::string text = RealToText(29, 1e30);
  EXPECT_EQ(text, "1000000000000000019884624838656.");
  EXPECT_EQ(RealToText(0, 1e40).size(), 32u);
}

TEST(RealToText, WritesNonFiniteValuesWithoutFailing) {
  EXPECT_EQ(RealToText(50, std::numeric_limits<double>::infinity()), "  inf");
  EXPECT_EQ(RealToText(50, std::nan("")).find("nan") != std::string::npos, true);
}

}  // namespace
}  // namespace yobina
