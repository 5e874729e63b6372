#include "text/codec.h"

#include <gtest/gtest.h>

#include <string>

namespace yobina {
namespace {

class RoundTripTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTripTest, KeepsTheText) {
  const auto cp932 = Utf8ToCp932(GetParam());
  ASSERT_TRUE(cp932.has_value()) << GetParam();
  EXPECT_EQ(Cp932ToUtf8(*cp932), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, RoundTripTest,
                         ::testing::Values("", "abc 123", "ヨビナ不能です。", "～", "－", "─│┌┐└┘├┼", "①㈱",
                                           "ｶﾞｰ", "長さmm", "￥5000", "\t,;"));

TEST(Utf8ToCp932, GivesTheCodePageBytes) {
  EXPECT_EQ(Utf8ToCp932("回"), std::optional<std::string>("\x89\xF1"));
  EXPECT_EQ(Utf8ToCp932("～"), std::optional<std::string>("\x81\x60"));
  EXPECT_EQ(Utf8ToCp932("ｱ"), std::optional<std::string>("\xB1"));
}

class RefusalTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RefusalTest, RefusesWhatTheCodePageCannotHold) {
  EXPECT_FALSE(Utf8ToCp932(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, RefusalTest,
                         ::testing::Values("😀", "€", "abc€", "ä", "\xFF", "a\xE3\x81",  // cut-off UTF-8
                                           "\xC0\xAF",                                  // overlong
                                           // Held by the code page only as other characters:
                                           // they would come back as "\\" and "~".
                                           "¥", "‾", "5000¥", "a‾b", "〜¥"));

// Characters the code page holds under another Unicode form that a Japanese
// reader takes for the same: accepted, and read back in the code page's form.
struct LookAlikeCase {
  const char* typed;
  const char* bytes;
  const char* readBack;
};

class LookAlikeTest : public ::testing::TestWithParam<LookAlikeCase> {};

TEST_P(LookAlikeTest, IsTakenAsTheSameCharacter) {
  const auto cp932 = Utf8ToCp932(GetParam().typed);
  ASSERT_TRUE(cp932.has_value()) << GetParam().typed;
  EXPECT_EQ(*cp932, GetParam().bytes);
  EXPECT_EQ(Cp932ToUtf8(*cp932), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(Characters, LookAlikeTest,
                         ::testing::Values(LookAlikeCase{"〜", "\x81\x60", "～"},  // U+301C
                                           LookAlikeCase{"−", "\x81\x7C", "－"},   // U+2212
                                           LookAlikeCase{"‖", "\x81\x61", "∥"},    // U+2016
                                           LookAlikeCase{"—", "\x81\x5C", "―"},    // U+2014
                                           LookAlikeCase{"¢£¬", "\x81\x91\x81\x92\x81\xCA", "￠￡￢"},
                                           LookAlikeCase{"3〜5−1 \\~",
                                                         "3\x81\x60"
                                                         "5\x81\x7C"
                                                         "1 \\~",
                                                         "3～5－1 \\~"}));

TEST(Cp932ToUtf8, MarksUndecodableBytesAndGoesOn) {
  EXPECT_EQ(Cp932ToUtf8("a\x82"), "a\xEF\xBF\xBD");       // lone lead byte at the end
  EXPECT_EQ(Cp932ToUtf8("\x81\x20x"), "\xEF\xBF\xBD x");  // lead byte without a valid trail
  EXPECT_EQ(Cp932ToUtf8("\xA0"
                        "b"),
            "\xEF\xBF\xBD"
            "b");  // unassigned
  EXPECT_EQ(Cp932ToUtf8(std::string(1000, '\xFF')).size(), 3000u);
}

TEST(Cp932ToUtf8, ConvertsLongText) {
  std::string cp932;
  std::string utf8;
  for (int i = 0; i < 500; ++i) {
    cp932 += "\x83\x8B\x20";
    utf8 += "ル ";
  }
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
}

TEST(Cp932DeathTest, AbortsOnAnUnrepresentableLiteral) {
  EXPECT_DEATH(Cp932("€"), "code page 932");
}

}  // namespace
}  // namespace yobina
