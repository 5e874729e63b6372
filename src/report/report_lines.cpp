#include "report/report_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr int32_t kDateIndent = 55;
constexpr size_t kMemberNameBytes = 40;

struct TitleTexts {
  std::string Era = Cp932("平成");
  std::string Year = Cp932(" 年");
  std::string Month = Cp932(" 月");
  std::string DayMade = Cp932(" 日 作成");
  std::string MemberName = Cp932("部材名：");
  std::string UnitWeight = Cp932("単位重量 = ");
  std::string Times = Cp932("×");
  std::string Bars = Cp932("本");
  std::string Margin = Cp932("素材の余裕 = ");
  std::string Kerf = Cp932("(mm)   切り代 = ");
  std::string StockLength = Cp932("素材延長=");
  std::string MemberLength = Cp932("部材延長=");
  std::string LeftoverLength = Cp932("残材長=");
  std::string LeftoverRate = Cp932("残材率=");
  std::string StockWeight = Cp932("素材重量=");
  std::string MemberWeight = Cp932("部材重量=");
  std::string LossRate = Cp932("ロス率=");
  std::string Proven = Cp932("最適化: 証明済みの最適計画");
  std::string Unproven = Cp932("最適化: 未証明");
  std::string BoundLossRate = Cp932("下限ロス率=");
  std::string GapAtMost = Cp932("最適との差 ");
  std::string Within = Cp932("(m) 以内");
  std::string WithinMm = Cp932("mm 以内");
  std::string WithoutShortFirst = Cp932("参考: 5000mm未満の素材を優先しなければ");
  std::string AtMost = Cp932("以下");
  std::string Setups = Cp932("段取り: パターン数=");
  std::string LowerBound = Cp932(" (下限 ");
  std::string NotProven = Cp932(" (未証明)");
  std::string Offcuts = Cp932("残材: ");
  std::string OffcutMin = Cp932("mm以上 ");
  std::string OffcutTotal = Cp932("本 計");
  std::string Scrap = Cp932("端材=");
  std::string LeastScrap = Cp932("端材最少: ");
  std::string ScrapProven = Cp932("証明済み");
  std::string ScrapUnproven = Cp932("未証明");
};

const TitleTexts& Texts() {
  static const TitleTexts texts;
  return texts;
}

}  // namespace

std::string NameFieldText(const JobDocument& document, FieldId field) {
  return CutToBytes(FieldOf(document, field), static_cast<size_t>(std::max(0, ElementOf(field).ByteLimit)));
}

std::optional<std::string> DateLine(int32_t year, int32_t month, int32_t day) {
  const TitleTexts& t = Texts();
  std::string line = Spaces(kDateIndent);
  if (year > 0 && year < 100) {
    line += t.Era + IntText(year, 3);
  } else if (year > 1000) {
    line += IntText(year, 7);
  } else {
    return std::nullopt;
  }
  return line + t.Year + IntText(month, 3) + t.Month + IntText(day, 3) + t.DayMade;
}

std::string MemberNameLine(std::string_view memberName, double unitWeight) {
  const TitleTexts& t = Texts();
  std::string name(memberName.substr(0, kMemberNameBytes));
  name.resize(kMemberNameBytes, ' ');
  std::string line = t.MemberName + name;
  if (unitWeight > 0) line += t.UnitWeight + FixedText(unitWeight, 0, 2) + "(Kg/m)";
  return line;
}

std::string ListCell(int32_t length, int32_t count) {
  const TitleTexts& t = Texts();
  return Spaces(4) + IntText(length, 8) + t.Times + IntText(count, 4) + t.Bars;
}

std::string MarginKerfLine(int32_t margin, int32_t kerf) {
  const TitleTexts& t = Texts();
  return t.Margin + IntText(margin, 0) + t.Kerf + IntText(kerf, 0) + "(mm)";
}

std::string LengthTotalsLine(double stockLength, double memberLength, double leftoverLength,
                             double leftoverRate) {
  const TitleTexts& t = Texts();
  return Spaces(1) + t.StockLength + FixedText(stockLength / 1000, 8, 3) + "(m)" +  //
         Spaces(2) + t.MemberLength + FixedText(memberLength / 1000, 8, 3) + "(m)" + Spaces(2) +
         t.LeftoverLength + FixedText(leftoverLength / 1000, 7, 3) + "(m)" + Spaces(2) + t.LeftoverRate +
         FixedText(leftoverRate, 6, 3) + "(%)";
}

std::string WeightTotalsLine(double stockLength, double memberLength, double unitWeight, double lossRate) {
  const TitleTexts& t = Texts();
  return Spaces(1) + t.StockWeight + FixedText(stockLength * unitWeight / 1000000, 8, 3) + "(t)" + Spaces(2) +
         t.MemberWeight + FixedText(memberLength * unitWeight / 1000000, 8, 3) + "(t)" + Spaces(19) +
         Spaces(2) + t.LossRate + FixedText(lossRate, 6, 3) + "(%)";
}

std::string ProvenOptimalLine(double boundLossRate) {
  const TitleTexts& t = Texts();
  return Spaces(1) + t.Proven + Spaces(3) + t.BoundLossRate + FixedText(boundLossRate, 6, 3) + "(%)";
}

std::string UnprovenLine(double boundLossRate, double gapMeters) {
  const TitleTexts& t = Texts();
  const std::string head = Spaces(1) + t.Unproven + Spaces(3) + t.BoundLossRate +
                           FixedText(boundLossRate, 6, 3) + "(%)" + Spaces(3);
  if (gapMeters < 1) {
    // Rounded up: the gap is an upper limit, and lengths are whole millimetres anyway.
    const auto millimetres = static_cast<int64_t>(std::ceil(std::max(gapMeters, 0.0) * 1000 - 1e-6));
    return head + t.GapAtMost + std::to_string(millimetres) + t.WithinMm;
  }
  return head + t.GapAtMost + FixedText(gapMeters, 0, 3) + t.Within;
}

std::string SetupsLine(int32_t patterns, int32_t lowerBound, bool proven) {
  const TitleTexts& t = Texts();
  std::string line = Spaces(1) + t.Setups + FixedText(patterns, 3, 0);
  if (proven) return line;
  if (lowerBound > 0 && lowerBound < patterns) return line + t.LowerBound + std::to_string(lowerBound) + ")";
  return line + t.NotProven;
}

std::string WithoutShortFirstLine(double stockLength, double lossRate, bool proven) {
  const TitleTexts& t = Texts();
  return Spaces(1) + t.WithoutShortFirst + Spaces(1) + t.StockLength + FixedText(stockLength / 1000, 8, 3) +
         "(m)" + Spaces(1) + t.LossRate + FixedText(lossRate, 6, 3) + "(%)" + (proven ? "" : t.AtMost);
}

std::string OffcutTotalsLine(int32_t offcutMin, int64_t bars, double offcutLength, double scrapLength) {
  const TitleTexts& t = Texts();
  return Spaces(1) + t.Offcuts + IntText(offcutMin, 0) + t.OffcutMin + IntText(bars, 0) + t.OffcutTotal +
         FixedText(offcutLength / 1000, 8, 3) + "(m)" + Spaces(3) + t.Scrap +
         FixedText(scrapLength / 1000, 8, 3) + "(m)";
}

std::string ScrapProvenLine(bool proven) {
  const TitleTexts& t = Texts();
  return Spaces(1) + t.LeastScrap + (proven ? t.ScrapProven : t.ScrapUnproven);
}

}  // namespace yobina
