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

}  // namespace
}  // namespace yobina
