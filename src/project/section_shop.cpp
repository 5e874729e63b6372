#include "project/section_shop.h"

#include <algorithm>

#include "project/project_print.h"
#include "shop/label_sheet.h"

namespace yobina {

ShopInput SectionShopInput(const ProjectResult& result, size_t s, const PlanResult& plan) {
  const SectionInput& section = result.Input.Sections[s];
  const std::vector<PurchaseLine>& purchase = result.Sections[s].Purchase;
  ShopInput input;
  // Bars past the purchase lines cannot be cut; were they, they would be bought.
  input.OtherBars = BarOrigin::Bought;
  input.Source = result.Input.Settings.ProjectName;
  const TJob& job = plan.Plan.Job();
  for (int32_t r = 1; r <= plan.Plan.StockRowCount(); ++r) {
    std::vector<StockBars>& bars = input.StockRows.emplace_back();
    const auto line = std::find_if(purchase.begin(), purchase.end(), [&](const PurchaseLine& p) {
      return p.Length == job.StockTable[r].Length;
    });
    if (line == purchase.end()) continue;
    if (line->FromStock > 0) bars.push_back({BarOrigin::OnHand, 0, line->FromStock, {}});
    if (line->Bought > 0) bars.push_back({BarOrigin::Bought, 0, line->Bought, {}});
  }
  for (int32_t r = 1; r <= plan.Plan.CutRowCount(); ++r) {
    std::vector<RowPart>& parts = input.CutRows.emplace_back();
    const auto row = std::find_if(section.Cuts.begin(), section.Cuts.end(),
                                  [&](const CutRow& cut) { return cut.Length == job.CutTable[r].Length; });
    if (row == section.Cuts.end()) continue;
    for (const CutPart& part : row->Parts) parts.push_back({part.Mark, part.Origin.Phase, part.Count});
  }
  return input;
}

CutList SectionCutList(const ProjectResult& result, size_t s, const SectionResult& full) {
  if (!result.Sections[s].HasPlan() || !full.HasPlan()) return {};
  const PlanResult plan = SectionPlanResult(result, s, full);
  return MakeCutList(plan, SectionShopInput(result, s, plan));
}

std::string CutListHeading() {
  return CutListCsv(CutList{});
}

std::string SectionCutListLines(const CutList& list) {
  if (list.Bars.empty()) return {};
  return CutListCsv(list).substr(CutListHeading().size());
}

void PrintBuildingLabels(const ProjectResult& result, const SectionReader& read, PrintDevice& printer,
                         const std::atomic<bool>* stop) {
  LabelPages pages(LabelSheet{}, printer);
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    if (stop != nullptr && stop->load()) throw WritingStopped();
    if (result.Sections[s].HasPlan()) pages.Print(SectionCutList(result, s, read(s)));
  }
  pages.Finish();
}

}  // namespace yobina
