#include "cli/terminal_text.h"

#include <gtest/gtest.h>

namespace yobina {
namespace {

TEST(TerminalText, ControlCharactersBecomeQuestionMarks) {
  struct Case {
    std::string_view Text;
    OutputEncoding Encoding;
    std::string_view Shown;
  };
  const Case cases[] = {
      {"\x1b[31mRED\x1b]0;t\x07\x7f\t", OutputEncoding::Utf8, "?[31mRED?]0;t???"},
      {"a\xc2\x80"
       "b\xc2\x9b"
       "c",
       OutputEncoding::Utf8, "a?b?c"},  // C1 in UTF-8
      {"\xc2\xa0\xe9\x89\x84\xe3\x83\xbc", OutputEncoding::Utf8,
       "\xc2\xa0\xe9\x89\x84\xe3\x83\xbc"},  // NBSP 鉄 ー
      {"\x1b\x83\x65\x93\x53\x9b\x7e", OutputEncoding::Cp932,
       "?\x83\x65\x93\x53\x9b\x7e"},  // leads 0x80-0x9F stay
  };
  for (const Case& c : cases) EXPECT_EQ(WithoutControlCharacters(c.Text, c.Encoding), c.Shown) << c.Text;
}

}  // namespace
}  // namespace yobina
