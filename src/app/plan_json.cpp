#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "app/plan_export.h"
#include "text/codec.h"

namespace yobina {
namespace {

using nlohmann::ordered_json;

// Whole millimetres; a plan's lengths are whole numbers held as reals.
int64_t Mm(double value) {
  return static_cast<int64_t>(std::llround(std::clamp(value, -9e15, 9e15)));
}

ordered_json PatternJson(const TJob& job, const TCutPattern& pattern) {
  const int32_t cutCount = std::clamp(job.CutCount, 0, kTableCapacity);
  const bool knownRow =
      pattern.StockRow >= 1 && pattern.StockRow <= std::clamp(job.StockCount, 0, kTableCapacity);
  ordered_json pieces = ordered_json::array();
  for (int32_t k = 1; k <= cutCount; ++k) {
    if (pattern.PieceCount[k] == 0) continue;
    pieces.push_back({{"length_mm", job.CutTable[k].Length}, {"count", pattern.PieceCount[k]}});
  }
  return {{"stock_length_mm", knownRow ? job.StockTable[pattern.StockRow].Length : 0},
          {"bars", pattern.BarCount},
          {"pieces", std::move(pieces)},
          {"leftover_mm", Mm(pattern.Leftover)},
          {"leftover_percent", pattern.LeftoverPercent}};
}

}  // namespace

std::string PlanJson(const InputPage& page, const TJob& job, const TCutPlan& plan,
                     const std::optional<PlanProof>& proof) {
  ordered_json json;
  json["project"] = Cp932ToUtf8(page.FieldText(FieldId::ProjectName));
  json["member"] = Cp932ToUtf8(page.FieldText(FieldId::MemberName));
  json["margin_mm"] = job.Margin;
  json["kerf_mm"] = job.Kerf;

  ordered_json patterns = ordered_json::array();
  int64_t bars = 0;
  const int32_t patternCount = std::clamp(plan.PatternCount, 0, kMaxPatterns);
  for (int32_t p = 1; p <= patternCount; ++p) {
    patterns.push_back(PatternJson(job, plan.Patterns[p]));
    bars += plan.Patterns[p].BarCount;
  }
  json["patterns"] = std::move(patterns);
  json["totals"] = {{"bars", bars},
                    {"stock_length_mm", Mm(plan.StockLength)},
                    {"member_length_mm", Mm(plan.MemberLength)},
                    {"leftover_length_mm", Mm(plan.LeftoverLength)},
                    {"leftover_rate_percent", plan.LeftoverRate},
                    {"loss_rate_percent", plan.LossRate}};
  if (proof) {
    json["proof"] = {{"proven", proof->Proven},
                     {"bound_loss_rate_percent", proof->BoundLossRate},
                     {"gap_m", proof->GapMeters}};
    json["setups"] = {{"patterns", proof->Patterns},
                      {"lower_bound", proof->PatternsLowerBound},
                      {"proven", proof->PatternsProven}};
  }
  return json.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace yobina
