#include "project/nc/dstv_part.h"

#include <algorithm>
#include <vector>

#include "project/cell_number.h"
#include "project/nc/dstv_block.h"
#include "project/parts_list.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

// The ST block's fields by number from 1, as messages name them.
constexpr std::array<const char*, 24> kFieldNames{"工事番号",
                                                  "図面番号",
                                                  "節",
                                                  "符号",
                                                  "鋼種",
                                                  "数量",
                                                  "断面",
                                                  "断面の種類",
                                                  "長さ",
                                                  "高さ",
                                                  "フランジ幅",
                                                  "フランジ厚",
                                                  "ウェブ厚",
                                                  "半径",
                                                  "単位重量",
                                                  "塗装面積",
                                                  "ウェブ始端の切断角",
                                                  "ウェブ終端の切断角",
                                                  "フランジ始端の切断角",
                                                  "フランジ終端の切断角",
                                                  "テキスト1",
                                                  "テキスト2",
                                                  "テキスト3",
                                                  "テキスト4"};
constexpr size_t kRequiredFields = 15;
constexpr std::array<std::string_view, 10> kCodes{"I", "L", "U", "B", "RU", "RO", "M", "C", "T", "SO"};

constexpr size_t kHeight = 10;
constexpr size_t kWeight = 15;
constexpr size_t kFirstAngle = 17;
constexpr size_t kFirstText = 21;

class Fields {
 public:
  explicit Fields(const std::vector<std::string>& fields) : fields_(fields) {}
  // Field `number` from 1; empty where the block ends sooner.
  std::string_view operator[](size_t number) const {
    return number <= fields_.size() ? std::string_view(fields_[number - 1]) : std::string_view();
  }

 private:
  const std::vector<std::string>& fields_;
};

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  return upper;
}

// A number that may be missing (nullopt); negative or not a number adds a reason.
std::optional<double> Amount(std::string_view text, size_t field, std::string& reasons) {
  return OptionalAmountCell(text, kFieldNames[field - 1], true, reasons);
}

// "length" or "length,saw length" (a comma or blanks between).
void ReadLengths(std::string_view text, DstvDetail& detail, std::string& reasons) {
  size_t split = text.find(',');
  if (split == std::string_view::npos) {
    const size_t start = text.find_first_not_of(" \t");
    split = start == std::string_view::npos ? start : text.find_first_of(" \t", start);
  }
  const std::string_view length = text.substr(0, split);
  const std::string_view saw = split == std::string_view::npos ? std::string_view() : text.substr(split + 1);
  const std::optional<double> given = OptionalAmountCell(length, "長さ", true, reasons);
  const std::optional<double> sawn = OptionalAmountCell(saw, "のこ長さ", true, reasons);
  for (const std::optional<double>& value : {given, sawn}) {
    if (value && *value > kMostLength) {
      reasons += Cp932("長さ ") + FixedText(*value, 0, 2) + Cp932(" mm が長すぎます(最大 ") +
                 IntText(kMostLength, 0) + Cp932(" mm)。");
      return;
    }
  }
  detail.Length = given.value_or(0);
  if (sawn && *sawn > 0) detail.SawLength = sawn;
}

void ReadCode(std::string_view text, DstvDetail& detail, std::string& reasons) {
  detail.Code = Upper(text);
  if (detail.Code.empty()) {
    reasons += Cp932("断面の種類がありません。");
  } else if (std::find(kCodes.begin(), kCodes.end(), detail.Code) == kCodes.end()) {
    reasons += Cp932("断面の種類") + QuotedCell(text) +
               Cp932("は DSTV の種類(I, L, U, B, RU, RO, M, C, T, SO)ではありません。");
  }
}

void ReadMeasures(const Fields& fields, DstvDetail& detail, std::string& reasons) {
  std::optional<double>* measures[] = {&detail.Height, &detail.FlangeWidth, &detail.FlangeThickness,
                                       &detail.WebThickness, &detail.Radius};
  for (size_t i = 0; i < std::size(measures); ++i)
    *measures[i] = Amount(fields[kHeight + i], kHeight + i, reasons);
  detail.UnitWeight = Amount(fields[kWeight], kWeight, reasons);
  if (detail.UnitWeight == 0.0) detail.UnitWeight.reset();
  for (size_t i = 0; i < detail.CutAngles.size(); ++i) {
    const std::string_view text = fields[kFirstAngle + i];
    const std::optional<double> angle = CellNumber(text);
    if (angle) {
      detail.CutAngles[i] = *angle;
    } else if (!text.empty()) {
      reasons += Cp932(kFieldNames[kFirstAngle + i - 1]) + QuotedCell(text) + Cp932("が数値ではありません。");
    }
  }
  for (size_t i = 0; i < detail.Texts.size(); ++i) detail.Texts[i] = std::string(fields[kFirstText + i]);
}

}  // namespace

bool DstvDetail::SkewCut() const {
  return std::any_of(CutAngles.begin(), CutAngles.end(), [](double angle) { return angle != 0; });
}

DstvRead ReadDstvFile(std::string_view bytes) {
  DstvRead read;
  const DstvBlock block = ReadStBlock(bytes);
  if (!block.Fault.empty()) {
    read.Reason = block.Fault;
    return read;
  }
  if (block.Fields.size() < kRequiredFields) {
    const size_t missing = block.Fields.size() + 1;
    read.Reason = Cp932("ST ブロックに") + Cp932(kFieldNames[missing - 1]) + "(" +
                  IntText(static_cast<int64_t>(missing), 0) + Cp932(" 番目の項目)がありません。");
    return read;
  }
  const Fields fields(block.Fields);
  DstvPart& part = read.Part;
  DstvDetail& detail = part.Detail;
  part.Order = fields[1];
  part.Drawing = fields[2];
  part.Phase = fields[3];
  part.Mark = fields[4];
  detail.Grade = fields[5];
  detail.Profile = fields[7];
  std::string reasons;
  if (detail.Profile.empty()) reasons += Cp932("断面がありません。");
  ReadCode(fields[8], detail, reasons);
  if (reasons.empty() && detail.Code == "B") {
    read.Kind = DstvKind::Plate;
    return read;
  }
  part.Quantity = WholeCell(fields[6], "数量", 1, kMostCount, reasons).value_or(0);
  ReadLengths(fields[9], detail, reasons);
  ReadMeasures(fields, detail, reasons);
  if (!reasons.empty()) {
    read.Reason = std::move(reasons);
    return read;
  }
  read.Kind = detail.Length > 0 ? DstvKind::Part : DstvKind::NoLength;
  return read;
}

}  // namespace yobina
