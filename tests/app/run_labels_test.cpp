#include "app/run_labels.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "text/codec.h"

namespace yobina {
namespace {

TEST(RunLabels, FixedWidthWithAPointInAnyLocale) {
  // A locale with a decimal comma, when the machine has one.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C"}) {
    if (std::setlocale(LC_NUMERIC, name) == nullptr) continue;
    SCOPED_TRACE(name);
    EXPECT_EQ(FormatTrialLossLabel(0, 1), "  0.000 %  (1)");
    EXPECT_EQ(FormatTrialLossLabel(12.97145, 2), " 12.971 %  (2)");
    EXPECT_EQ(FormatTrialLossLabel(4.60251, 500), "  4.603 %  (500)");
    EXPECT_EQ(FormatBestLossLabel(2.5104602), "  2.510 %");
    EXPECT_EQ(FormatBestLossLabel(9999), "9999.000 %");
    EXPECT_EQ(FormatBestLossLabel(123456.0005), "123456.000 %");
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(RunLabels, TrialCountFromTheChosenCaption) {
  struct Case {
    std::string Caption;
    int32_t Expected;
  };
  const Case cases[] = {
      {Cp932("10回"), 10},         {Cp932("100回"), 100}, {Cp932("500回"), 500},
      {Cp932("１０００回"), 1000}, {Cp932("回"), 1},      {"-5", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Cp932ToUtf8(c.Caption));
    EXPECT_EQ(TrialCountOfCaption(c.Caption), c.Expected);
  }
  JobDocument document;
  const int32_t expected[] = {10, 10, 100, 500, 10};  // nothing chosen: the fewest
  for (int index = -1; index <= 3; ++index) {
    document.TrialIndex = index;
    EXPECT_EQ(TrialCountOf(document), expected[index + 1]);
  }
}

}  // namespace
}  // namespace yobina
