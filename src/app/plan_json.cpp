#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "app/plan_export.h"
#include "plan/offcut_totals.h"
#include "plan/offcuts.h"
#include "text/codec.h"

namespace yobina {
namespace {

using nlohmann::ordered_json;

// Whole millimetres; a plan's lengths are whole numbers held as reals.
int64_t Mm(double value) {
  return static_cast<int64_t>(std::llround(std::clamp(value, -9e15, 9e15)));
}

ordered_json PatternJson(const Plan& plan, const TCutPattern& pattern, int32_t offcutMin) {
  ordered_json pieces = ordered_json::array();
  for (int32_t k = 1; k <= plan.CutRowCount(); ++k) {
    if (pattern.PieceCount[k] == 0) continue;
    pieces.push_back({{"length_mm", plan.CutRow(k).Length}, {"count", pattern.PieceCount[k]}});
  }
  ordered_json json = {{"stock_length_mm", plan.StockLengthOf(pattern)},
                       {"bars", pattern.BarCount},
                       {"pieces", std::move(pieces)},
                       {"leftover_mm", Mm(pattern.Leftover)},
                       {"leftover_percent", pattern.LeftoverPercent}};
  // With offcuts on, the leftover is one of the two; off, the pattern stays as it was.
  if (offcutMin > 0) {
    const bool offcut = KindOfLeftover(pattern.Leftover, offcutMin) == LeftoverKind::Offcut;
    json["offcut_mm"] = offcut ? Mm(pattern.Leftover) : 0;
    json["scrap_mm"] = offcut ? 0 : Mm(pattern.Leftover);
  }
  return json;
}

ordered_json OffcutsJson(const PlanResult& result) {
  const OffcutTotals totals = OffcutTotalsOf(result.Plan, result.Document.OffcutMin);
  ordered_json offcuts = ordered_json::array();
  for (const OffcutBars& bars : totals.Offcuts)
    offcuts.push_back({{"length_mm", bars.Length}, {"count", bars.Count}});
  ordered_json json = {{"offcut_min_mm", result.Document.OffcutMin},
                       {"bars", totals.Bars},
                       {"offcut_length_mm", Mm(totals.OffcutLength)},
                       {"scrap_length_mm", Mm(totals.ScrapLength)},
                       {"offcuts", std::move(offcuts)}};
  if (const OptimalMethod* optimal = OptimalMethodOf(result); optimal != nullptr && optimal->ScrapProven)
    json["scrap_proven"] = *optimal->ScrapProven;
  return json;
}

}  // namespace

std::string PlanJson(const PlanResult& result) {
  const Plan& plan = result.Plan;
  const TCutPlan& totals = plan.Cuts();
  ordered_json json;
  json["project"] = Cp932ToUtf8(result.Document.ProjectName);
  json["member"] = Cp932ToUtf8(result.Document.MemberName);
  json["margin_mm"] = plan.Job().Margin;
  json["kerf_mm"] = plan.Job().Kerf;

  ordered_json patterns = ordered_json::array();
  int64_t bars = 0;
  for (int32_t p = 1; p <= plan.PatternCount(); ++p) {
    patterns.push_back(PatternJson(plan, plan.Pattern(p), result.Document.OffcutMin));
    bars += plan.Pattern(p).BarCount;
  }
  json["patterns"] = std::move(patterns);
  json["totals"] = {{"bars", bars},
                    {"stock_length_mm", Mm(totals.StockLength)},
                    {"member_length_mm", Mm(totals.MemberLength)},
                    {"leftover_length_mm", Mm(totals.LeftoverLength)},
                    {"leftover_rate_percent", totals.LeftoverRate},
                    {"loss_rate_percent", totals.LossRate}};
  if (const OptimalMethod* optimal = OptimalMethodOf(result)) {
    json["proof"] = {{"proven", optimal->Proven},
                     {"bound_loss_rate_percent", optimal->BoundLossRate},
                     {"gap_m", optimal->GapMeters}};
    json["setups"] = {{"patterns", optimal->Setups.Patterns},
                      {"lower_bound", optimal->Setups.LowerBound},
                      {"proven", optimal->Setups.Proven}};
  }
  if (result.Document.OffcutMin > 0) json["offcuts"] = OffcutsJson(result);
  return json.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace yobina
