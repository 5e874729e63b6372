#include "plan/no_plan_reason.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

#include "text/codec.h"

namespace yobina {
namespace {

// "12.300": metres with three decimals, whatever the locale.
std::string Meters(int64_t millimetres) {
  std::array<char, 64> text{};
  const auto [end, error] =
      std::to_chars(text.data(), text.data() + text.size(), static_cast<double>(millimetres) / 1000,
                    std::chars_format::fixed, 3);
  return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

}  // namespace

std::string NoPlanReason(const TJob& job) {
  const int32_t stockRows = std::clamp(job.StockCount, 0, kTableCapacity);
  const int32_t cutRows = std::clamp(job.CutCount, 0, kTableCapacity);
  int64_t longestBar = 0;
  int64_t stock = 0;
  bool barsOnHand = false;
  for (int32_t k = 1; k <= stockRows; ++k) {
    const TLengthRow& row = job.StockTable[k];
    if (row.Count <= 0 || row.Length <= 0) continue;
    barsOnHand = true;
    longestBar = std::max<int64_t>(longestBar, row.Length);
    stock += (int64_t{row.Length} + job.Margin) * row.Count;
  }
  int64_t longestPiece = 0;
  int64_t members = 0;
  for (int32_t k = 1; k <= cutRows; ++k) {
    const TLengthRow& row = job.CutTable[k];
    if (row.Count <= 0 || row.Length <= 0) continue;
    longestPiece = std::max<int64_t>(longestPiece, row.Length);
    members += int64_t{row.Length} * row.Count;
  }
  if (barsOnHand && longestPiece > longestBar + job.Margin) {
    return std::to_string(longestPiece) + Cp932("mm の部材が入る素材がありません（最長 ") +
           std::to_string(longestBar) + Cp932("mm＋余裕 ") + std::to_string(job.Margin) + Cp932("mm）");
  }
  if (job.Kerf >= 0 && members > stock) {
    return Cp932("素材が少なくとも ") + Meters(members - stock) + Cp932("m 足りません");
  }
  return {};
}

}  // namespace yobina
