#include "text/half_width.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "text/codec.h"

namespace yobina {
namespace {

struct WidthCase {
  const char* fullWidth;  // UTF-8
  const char* halfWidth;  // UTF-8
};

class ToHalfWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(ToHalfWidthTest, Converts) {
  EXPECT_EQ(Cp932ToUtf8(ToHalfWidth(Cp932(GetParam().fullWidth))), GetParam().halfWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ToHalfWidthTest,
    ::testing::Values(WidthCase{"１０回", "10回"}, WidthCase{"ＡＢｃ－１", "ABc-1"},
                      WidthCase{"カード", "ｶ-ﾄﾞ"}, WidthCase{"10回", "10回"}, WidthCase{"100回", "100回"},
                      WidthCase{"500回", "500回"}, WidthCase{"ｚＺ０９ａ", "zZ09a"},
                      WidthCase{"ヴヵヶ", "ヴヵヶ"}, WidthCase{"「パン」、。・゛゜", "｢ﾊﾟﾝ｣､｡･ﾞﾟ"},
                      WidthCase{"　，．：；？！", " ,.:;?!"}, WidthCase{"´｀＾￣＿―‐／｜", "''^~_--/|"},
                      WidthCase{"（）［］｛｝〈〉＜＞", "()[]{}<><>"}, WidthCase{"＋＝°′″", "+=ﾟ'\""},
                      WidthCase{"＄％＃＆＊＠", "$%#&*@"}, WidthCase{"ヰヱヲヮワ", "ｲｴｦﾜﾜ"},
                      WidthCase{"漢字ひらがな※", "漢字ひらがな※"}, WidthCase{"ｱｲｳ abc", "ｱｲｳ abc"}));

// Every kana of the block, in code order, against its half-width form.
TEST(ToHalfWidth, ConvertsEveryKatakana) {
  const char* const kFull[] = {
      "ァ", "ア", "ィ", "イ", "ゥ", "ウ", "ェ", "エ", "ォ", "オ", "カ", "ガ", "キ", "ギ", "ク", "グ", "ケ",
      "ゲ", "コ", "ゴ", "サ", "ザ", "シ", "ジ", "ス", "ズ", "セ", "ゼ", "ソ", "ゾ", "タ", "ダ", "チ", "ヂ",
      "ッ", "ツ", "ヅ", "テ", "デ", "ト", "ド", "ナ", "ニ", "ヌ", "ネ", "ノ", "ハ", "バ", "パ", "ヒ", "ビ",
      "ピ", "フ", "ブ", "プ", "ヘ", "ベ", "ペ", "ホ", "ボ", "ポ", "マ", "ミ", "ム", "メ", "モ", "ャ", "ヤ",
      "ュ", "ユ", "ョ", "ヨ", "ラ", "リ", "ル", "レ", "ロ", "ヮ", "ワ", "ヰ", "ヱ", "ヲ", "ン"};
  const char* const kHalf[] = {
      "ｧ",  "ｱ", "ｨ",  "ｲ",  "ｩ",  "ｳ",  "ｪ",  "ｴ", "ｫ",  "ｵ",  "ｶ",  "ｶﾞ", "ｷ",  "ｷﾞ", "ｸ",  "ｸﾞ", "ｹ",
      "ｹﾞ", "ｺ", "ｺﾞ", "ｻ",  "ｻﾞ", "ｼ",  "ｼﾞ", "ｽ", "ｽﾞ", "ｾ",  "ｾﾞ", "ｿ",  "ｿﾞ", "ﾀ",  "ﾀﾞ", "ﾁ",  "ﾁﾞ",
      "ｯ",  "ﾂ", "ﾂﾞ", "ﾃ",  "ﾃﾞ", "ﾄ",  "ﾄﾞ", "ﾅ", "ﾆ",  "ﾇ",  "ﾈ",  "ﾉ",  "ﾊ",  "ﾊﾞ", "ﾊﾟ", "ﾋ",  "ﾋﾞ",
      "ﾋﾟ", "ﾌ", "ﾌﾞ", "ﾌﾟ", "ﾍ",  "ﾍﾞ", "ﾍﾟ", "ﾎ", "ﾎﾞ", "ﾎﾟ", "ﾏ",  "ﾐ",  "ﾑ",  "ﾒ",  "ﾓ",  "ｬ",  "ﾔ",
      "ｭ",  "ﾕ", "ｮ",  "ﾖ",  "ﾗ",  "ﾘ",  "ﾙ",  "ﾚ", "ﾛ",  "ﾜ",  "ﾜ",  "ｲ",  "ｴ",  "ｦ",  "ﾝ"};
  static_assert(std::size(kFull) == std::size(kHalf));
  for (std::size_t i = 0; i < std::size(kFull); ++i) {
    EXPECT_EQ(ToHalfWidth(Cp932(kFull[i])), Cp932(kHalf[i])) << kFull[i];
  }
}

struct ByteCase {
  std::string in;
  std::string out;
};

class ToHalfWidthBytesTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(ToHalfWidthBytesTest, Converts) {
  EXPECT_EQ(ToHalfWidth(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ToHalfWidthBytesTest,
    ::testing::Values(ByteCase{"\x83\x7F", "*"},      // the gap between ミ and ム
                      ByteCase{"\x81\x8F", "\x5C"},   // ￥
                      ByteCase{"12\x82", "12\x82$"},  // lone lead byte at the end
                      ByteCase{"\xE0", "\xE0$"},      // lead byte range 0xE0..0xFF
                      ByteCase{"\x82\x4F\x81", "0\x81$"},
                      ByteCase{"\x81\x4E", "\x81\x4E"},                  // a symbol without a one-byte form
                      ByteCase{"\x82\x59\x82\x5F", "\x82\x59\x82\x5F"},  // just past the digits
                      ByteCase{"\x82\x7A\x82\x80", "\x82\x7A\x82\x80"},  // just past Z
                      ByteCase{"\x82\x9B", "\x82\x9B"},                  // just past z
                      ByteCase{"\xA0\x82\x4F",
                               "\xA0"
                               "0"},  // 0xA0 is a one-byte character
                      ByteCase{std::string("a\0b", 3), std::string("a\0b", 3)}, ByteCase{"", ""}));

std::string Field(const FieldArray& fields, int i) {
  return fields[static_cast<std::size_t>(i)];
}

TEST(SplitFields, SplitsAtCommasWithoutATab) {
  FieldArray fields;
  fields[5] = "stale";
  SplitFields("1,2500,4", fields);
  EXPECT_EQ(Field(fields, 1), "1");
  EXPECT_EQ(Field(fields, 2), "2500");
  EXPECT_EQ(Field(fields, 3), "4");
  for (int i = 4; i <= kMaxFields; ++i) EXPECT_EQ(Field(fields, i), "") << i;
}

TEST(SplitFields, PrefersTabsAndKeepsCommas) {
  FieldArray fields;
  SplitFields("1\t2,5\t3", fields);
  EXPECT_EQ(Field(fields, 1), "1");
  EXPECT_EQ(Field(fields, 2), "2,5");
  EXPECT_EQ(Field(fields, 3), "3");
  EXPECT_EQ(Field(fields, 4), "");
}

TEST(SplitFields, EmptyTextGivesEmptyFields) {
  FieldArray fields;
  fields.fill("x");
  SplitFields("", fields);
  for (int i = 1; i <= kMaxFields; ++i) EXPECT_EQ(Field(fields, i), "") << i;
}

TEST(SplitFields, KeepsTheFirst64Fields) {
  std::string line;
  for (int i = 1; i <= 70; ++i) line += std::to_string(i) + (i < 70 ? "," : "");
  FieldArray fields;
  SplitFields(line, fields);
  for (int i = 1; i <= kMaxFields; ++i) EXPECT_EQ(Field(fields, i), std::to_string(i));
}

TEST(SplitFields, TrailingSeparatorAddsNoFieldAndBlanksStay) {
  FieldArray fields;
  SplitFields("1,2,", fields);
  EXPECT_EQ(Field(fields, 1), "1");
  EXPECT_EQ(Field(fields, 2), "2");
  EXPECT_EQ(Field(fields, 3), "");
  SplitFields(" a ,,b", fields);
  EXPECT_EQ(Field(fields, 1), " a ");
  EXPECT_EQ(Field(fields, 2), "");
  EXPECT_EQ(Field(fields, 3), "b");
}

// Texts made mostly of separators: empty fields where they stand, none added
// by the separator at the end.
TEST(SplitFields, SeparatorsOnly) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {",,,", {"", "", ""}},
      {"1,,", {"1", ""}},
      {",", {""}},
      {"\t", {""}},
      {",\t,", {",", ","}},
      {",5", {"", "5"}},
      {"\t\t7\t", {"", "", "7"}},
      {std::string(80, ','), std::vector<std::string>(64, "")},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    FieldArray fields;
    fields.fill("stale");
    SplitFields(text, fields);
    for (int i = 1; i <= kMaxFields; ++i) {
      const std::size_t at = static_cast<std::size_t>(i - 1);
      EXPECT_EQ(Field(fields, i), at < expected.size() ? expected[at] : "") << i;
    }
  }
}

TEST(SplitFields, NeverCutsATwoByteCharacter) {
  const std::string name = Cp932("鉄骨,梁");
  FieldArray fields;
  SplitFields(name, fields);
  EXPECT_EQ(Field(fields, 1), Cp932("鉄骨"));
  EXPECT_EQ(Field(fields, 2), Cp932("梁"));
}

}  // namespace
}  // namespace yobina
