#include "app/run_labels.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "job/memory_input_page.h"
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

// A trial-count group with captions of the test's choice.
class CaptionPage : public MemoryInputPage {
 public:
  explicit CaptionPage(std::vector<std::string> captions) : captions_(std::move(captions)) {}
  int TrialItemCount() const override { return static_cast<int>(captions_.size()); }
  std::string TrialCaption(int index) const override { return captions_.at(static_cast<std::size_t>(index)); }

 private:
  std::vector<std::string> captions_;
};

TEST(RunLabels, TrialCountFromTheSelectedCaption) {
  struct Case {
    std::string Caption;
    int Index;
    int32_t Expected;
  };
  const Case cases[] = {
      {Cp932("10回"), 0, 10},         {Cp932("100回"), 0, 100}, {Cp932("500回"), 0, 500},
      {Cp932("１０００回"), 0, 1000}, {Cp932("回"), 0, 1},      {"-5", 0, 1},
      {Cp932("10回"), -1, 10},        {Cp932("500回"), 3, 10},  // nothing selected: the fewest
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Cp932ToUtf8(c.Caption) + " at " + std::to_string(c.Index));
    CaptionPage page({c.Caption});
    page.SetTrialIndex(c.Index);
    EXPECT_EQ(TrialCountFromPage(page), c.Expected);
  }
  MemoryInputPage standard;
  const int32_t expected[] = {10, 100, 500};
  for (int index = 0; index < 3; ++index) {
    standard.SetTrialIndex(index);
    EXPECT_EQ(TrialCountFromPage(standard), expected[index]);
  }
}

}  // namespace
}  // namespace yobina
