#include "text/typed_number.h"

#include <gtest/gtest.h>

#include "text/codec.h"
#include "text/number_text.h"

namespace yobina {
namespace {

TEST(FoldFullWidthNumber, TurnsTypedDigitsAndSignsIntoANumber) {
  EXPECT_EQ(FoldFullWidthNumber(Cp932("－１２３４．５６７８９０")), "-1234.567890");
  EXPECT_EQ(FoldFullWidthNumber(Cp932("＋１，０")), "+1,0");
  EXPECT_EQ(TextToReal(FoldFullWidthNumber(Cp932("　２３００ｍｍ"))), 0);  // the full-width space stays
  EXPECT_EQ(TextToReal(FoldFullWidthNumber(Cp932("２３００ｍｍ"))), 2300);
}

TEST(FoldFullWidthNumber, KeepsEverythingElse) {
  // Letters, kana, kanji and half-width kana; a trail byte that looks like a
  // digit's second byte inside another character; a lone lead byte at the end.
  for (const char* text : {"ＡＢｃ鉄骨ｶﾀ", "12 ab", "ー―・"}) {
    EXPECT_EQ(FoldFullWidthNumber(Cp932(text)), Cp932(text)) << text;
  }
  EXPECT_EQ(FoldFullWidthNumber("\x83\x4F\x81"), "\x83\x4F\x81");
  EXPECT_EQ(FoldFullWidthNumber(""), "");
}

TEST(CleanTypedNumber, DropsThousandsSeparatorsAndRefusesWhatWouldLoseDigits) {
  struct Case {
    const char* typed;  // UTF-8
    const char* clean;  // nullptr: no clean number
  };
  const Case cases[] = {
      {"1,250", "1250"},
      {"１，２５０", "1250"},
      {"-12,345,678.5", "-12345678.5"},
      {"  1,250mm", "  1250mm"},
      {"4x", "4x"},
      {"", ""},
      {" 　", " 　"},
      {"1,25", nullptr},
      {"1,2345", nullptr},
      {"12,000,00", nullptr},
      {"1 250", nullptr},
      {",250", nullptr},
      {"abc", nullptr},
      {"-", nullptr},
      {"　２３００", nullptr},
      {"1250,", "1250,"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::optional<std::string> clean = CleanTypedNumber(Cp932(c.typed));
    if (c.clean == nullptr) {
      EXPECT_EQ(clean, std::nullopt);
    } else {
      EXPECT_EQ(clean, Cp932(c.clean));
    }
  }
}

}  // namespace
}  // namespace yobina
