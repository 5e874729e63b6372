#include "shop/label_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "diagram/diagram_calls.h"
#include "support/recording_print_device.h"
#include "support/test_jobs.h"
#include "text/codec.h"

namespace yobina {
namespace {

using test::DeviceCall;
using test::RecordedCall;
using test::RecordingPrintDevice;

constexpr int32_t kDpi = 600;

// `pieces` pieces of 1234 mm, three to a 6000 mm bar, each bar leaving an offcut of 2298 mm.
CutList ListOf(int32_t bars, const std::string& mark, const std::string& name) {
  const TJob job = test::SortedJob({{6000, bars}}, {{1234, 3 * bars}}, 0, 0);
  TCutPlan plan;
  TCutPattern& pattern = plan.Patterns[++plan.PatternCount];
  pattern.StockRow = 1;
  pattern.BarCount = bars;
  pattern.PieceCount[1] = 3;
  pattern.Leftover = 2298;
  JobDocument document;
  document.ProjectName = name;
  document.MemberName = name;
  document.OffcutMin = 1000;
  ShopInput input;
  input.Grade = Cp932("SN490B");
  input.StockRows = {{{BarOrigin::OnHand, 0, bars, "HEAT-0123456789"}}};
  input.CutRows = {{{mark, Cp932("12節"), 3 * bars}}};
  input.Source = name;
  input.Date = "2024-05-01";
  return MakeCutList(test::ResultOf(document, job, plan), input);
}

struct Box {
  double Left, Top, Right, Bottom;  // dots
  bool Holds(double x, double y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
};

// The label slot (row by row on the page) that holds the point, or -1.
int SlotAt(const LabelSheet& sheet, double x, double y) {
  const double mm = kDpi / 25.4;
  for (int slot = 0; slot < sheet.Columns * sheet.Rows; ++slot) {
    const double left = (sheet.Left + (slot % sheet.Columns) * (sheet.LabelWidth + sheet.ColumnGap)) * mm;
    const double top = (sheet.Top + (slot / sheet.Columns) * (sheet.LabelHeight + sheet.RowGap)) * mm;
    if (Box{left, top, left + sheet.LabelWidth * mm, top + sheet.LabelHeight * mm}.Holds(x, y)) return slot;
  }
  return -1;
}

int CountTexts(const RecordingPrintDevice& device, const std::string& head) {
  int count = 0;
  for (const test::DrawnLabel& text : test::LabelsOf(device)) count += text.Text.rfind(head, 0) == 0;
  return count;
}

TEST(Labels, OneAPieceThenOneAnOffcutOnSheetsOfTwentyFour) {
  const CutList list = ListOf(7, "G1", Cp932("港北物流センター新築工事"));
  ASSERT_EQ(LabelCount(list), 7 * 3 + 7);
  RecordingPrintDevice device(kDpi);
  PrintLabels(list, LabelSheet(), device);
  EXPECT_EQ(device.PageCount(), 2);
  EXPECT_EQ(CountTexts(device, Cp932("溶鋼番号 HEAT-0123456789")), 28);
  EXPECT_EQ(CountTexts(device, Cp932("素材 ")), 21);
  EXPECT_EQ(CountTexts(device, Cp932("残材 #")), 7);
  const TPaperSetup paper = device.CallsOf(DeviceCall::ApplyPaperSetup).at(0).Paper;
  ASSERT_TRUE(paper.PaperMm.has_value());
  EXPECT_EQ(paper.PaperMm->Width, 210);
  EXPECT_EQ(paper.PaperMm->Height, 297);
  EXPECT_TRUE(paper.FullPage);

  RecordingPrintDevice single(kDpi);
  PrintLabels(list, SingleLabelSheet(), single);
  EXPECT_EQ(single.PageCount(), 28);
}

// The longest names a field holds and a long mark: every text and every QR
// module stays on its own label, and no text runs into the QR code.
TEST(Labels, NothingLeavesItsLabelOrRunsIntoTheQrCode) {
  const std::string name = Cp932("鉄骨鉄骨鉄骨鉄骨鉄骨鉄骨鉄骨鉄骨");  // 32 bytes
  for (const LabelSheet& sheet : {LabelSheet(), SingleLabelSheet(), SingleLabelSheet(100, 50)}) {
    RecordingPrintDevice device(kDpi);
    PrintLabels(ListOf(9, Cp932("2G1-12A-東側-ブレース"), name), sheet, device);
    std::map<std::pair<int32_t, int>, Box> qrOf;  // page and slot
    for (const RecordedCall& call : device.CallsOf(DeviceCall::FillRect)) {
      const int slot = SlotAt(sheet, call.X, call.Y);
      ASSERT_GE(slot, 0);
      ASSERT_EQ(SlotAt(sheet, call.X2, call.Y2), slot);
      auto [it, made] = qrOf.try_emplace({call.Page, slot}, Box{1e9, 1e9, -1e9, -1e9});
      Box& qr = it->second;
      qr = {std::min<double>(qr.Left, call.X), std::min<double>(qr.Top, call.Y),
            std::max<double>(qr.Right, call.X2), std::max<double>(qr.Bottom, call.Y2)};
    }
    int texts = 0;
    for (const test::DrawnLabel& text : test::LabelsOf(device)) {
      if (text.Page == 1 && text.Cell.Left < 30 * kDpi / 25.4 && text.Cell.Top < 13 * kDpi / 25.4 &&
          text.Text.size() == 1)
        continue;  // the context's blank at its start
      const int slot = SlotAt(sheet, text.Cell.Left, text.Cell.Top);
      ASSERT_GE(slot, 0) << Cp932ToUtf8(text.Text);
      EXPECT_EQ(SlotAt(sheet, text.Cell.Right, text.Cell.Bottom), slot) << Cp932ToUtf8(text.Text);
      const Box& qr = qrOf.at({text.Page, slot});
      EXPECT_LE(text.Cell.Right, qr.Left) << Cp932ToUtf8(text.Text);
      ++texts;
    }
    EXPECT_GT(texts, 9 * 3 * 6);
  }
}

TEST(Labels, TooManyOrAMarkTooLongForAQrCodeAreRefusedBeforePrinting) {
  EXPECT_FALSE(LabelsFault(ListOf(3, "G1", "x")).has_value());
  const int32_t bars = static_cast<int32_t>(kMostLabels / 4) + 1;
  const std::optional<std::string> many = LabelsFault(ListOf(bars, "G1", "x"));
  ASSERT_TRUE(many.has_value());
  EXPECT_NE(many->find("ラベルが多すぎます"), std::string::npos);
  const std::optional<std::string> tooLong = LabelsFault(ListOf(1, std::string(3000, 'G'), "x"));
  ASSERT_TRUE(tooLong.has_value());
  EXPECT_NE(tooLong->find("素材No 1-1"), std::string::npos);
  RecordingPrintDevice device(kDpi);
  EXPECT_THROW(PrintLabels(ListOf(1, std::string(3000, 'G'), "x"), LabelSheet(), device), IoError);
  EXPECT_TRUE(device.CallsOf(DeviceCall::BeginDocument).empty());
}

}  // namespace
}  // namespace yobina
