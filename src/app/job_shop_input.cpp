#include "app/job_shop_input.h"

#include <limits>
#include <optional>

#include "text/number_text.h"

namespace yobina {

ShopInput JobShopInput(const PlanResult& result, const std::vector<PlacedOffcutRow>& placed,
                       std::string source, std::string date, const std::vector<SteelTrace>& rowTraces) {
  ShopInput input;
  input.OtherBars = BarOrigin::OnHand;
  input.Source = std::move(source);
  input.Date = std::move(date);
  const std::optional<std::vector<int32_t>> rows = DocumentStockRows(result);
  if (!rows) return input;
  input.StockRows.resize(rows->size());
  for (std::size_t i = 0; i < rows->size(); ++i) {
    const auto documentRow = static_cast<std::size_t>((*rows)[i]);
    for (const PlacedOffcutRow& row : placed) {
      if (row.Row != (*rows)[i]) continue;
      // A row typed over since it was taken is the user's own stock.
      const JobRow& now = result.Document.StockRows[documentRow];
      if (TextToInt(now.Length) != row.Taken.Length || TextToInt(now.Count) != row.Taken.Count) continue;
      for (const EntryUse& entry : row.Taken.Entries) {
        input.StockRows[i].push_back({BarOrigin::Offcut, entry.Id, entry.Count, entry.Trace.Heat,
                                      entry.Trace.Grade, entry.Trace.MillSheet});
      }
    }
    if (input.StockRows[i].empty() && documentRow < rowTraces.size() && !rowTraces[documentRow].Empty()) {
      const SteelTrace& trace = rowTraces[documentRow];
      input.StockRows[i].push_back({BarOrigin::OnHand, 0, std::numeric_limits<int32_t>::max(), trace.Heat,
                                    trace.Grade, trace.MillSheet});
    }
  }
  return input;
}

}  // namespace yobina
