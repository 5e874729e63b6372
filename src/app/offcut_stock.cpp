#include "app/offcut_stock.h"

#include <algorithm>

#include "app/job_shop_input.h"
#include "app/plan_digest.h"
#include "inventory/inventory.h"
#include "job/job_io.h"
#include "plan/offcut_totals.h"
#include "shop/cut_list.h"
#include "text/codec.h"
#include "text/number_text.h"

namespace yobina {
namespace {

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// Where each stock row of `before` goes as it is tidied; -1 for a row without a length.
std::vector<int32_t> TidiedRows(const JobDocument& before) {
  std::vector<int32_t> tidied(before.StockRows.size(), -1);
  int32_t used = 0;
  for (std::size_t r = 0; r < before.StockRows.size(); ++r) {
    if (TextToInt(before.StockRows[r].Length) != 0) tidied[r] = used++;
  }
  return tidied;
}

// Moves bars of the plan's untraced offcuts to offcuts with the steel of the
// bars the cut list leaves them of.
void InheritSteel(KeepRequest& request, const CutList& list) {
  for (const KeptOffcut& kept : list.Offcuts) {
    const SteelTrace trace{kept.Grade, kept.Heat, kept.MillSheet};
    if (trace.Empty()) continue;
    const auto plain = std::find_if(request.Offcuts.begin(), request.Offcuts.end(), [&](const NewOffcut& o) {
      return o.Length == kept.Length && o.Trace.Empty() && o.Count > 0;
    });
    if (plain == request.Offcuts.end()) continue;
    --plain->Count;
    const auto same = std::find_if(request.Offcuts.begin(), request.Offcuts.end(), [&](const NewOffcut& o) {
      return o.Length == kept.Length && o.Trace == trace;
    });
    if (same != request.Offcuts.end()) {
      ++same->Count;
    } else {
      request.Offcuts.push_back({kept.Length, 1, trace});
    }
  }
  std::erase_if(request.Offcuts, [](const NewOffcut& o) { return o.Count <= 0; });
}

bool AnySteel(const std::vector<PlacedOffcutRow>& placed, const std::vector<SteelTrace>& rowTraces) {
  for (const PlacedOffcutRow& row : placed) {
    for (const EntryUse& entry : row.Taken.Entries) {
      if (!entry.Trace.Empty()) return true;
    }
  }
  return std::any_of(rowTraces.begin(), rowTraces.end(), [](const SteelTrace& t) { return !t.Empty(); });
}

}  // namespace

int32_t FreeStockRows(const JobDocument& document) {
  return static_cast<int32_t>(
      std::count_if(document.StockRows.begin(), document.StockRows.end(),
                    [](const JobRow& row) { return IsBlank(row.Length) && IsBlank(row.Count); }));
}

std::vector<PlacedOffcutRow> PlaceTakenRows(JobDocument& document, const std::vector<TakenRow>& rows) {
  std::vector<PlacedOffcutRow> placed;
  auto next = rows.begin();
  for (std::size_t r = 0; r < document.StockRows.size() && next != rows.end(); ++r) {
    JobRow& row = document.StockRows[r];
    if (!IsBlank(row.Length) || !IsBlank(row.Count)) continue;
    row.Length = std::to_string(next->Length);
    row.Count = std::to_string(next->Count);
    placed.push_back({static_cast<int32_t>(r), *next});
    ++next;
  }
  return placed;
}

std::vector<PlacedOffcutRow> FollowTidying(const JobDocument& before, std::vector<PlacedOffcutRow> placed) {
  const std::vector<int32_t> tidied = TidiedRows(before);
  std::erase_if(placed, [&](PlacedOffcutRow& row) {
    if (row.Row < 0 || row.Row >= static_cast<int32_t>(tidied.size())) return true;
    row.Row = tidied[static_cast<std::size_t>(row.Row)];
    return row.Row < 0;
  });
  return placed;
}

std::vector<SteelTrace> FollowTidying(const JobDocument& before, const std::vector<SteelTrace>& rowTraces) {
  const std::vector<int32_t> tidied = TidiedRows(before);
  std::vector<SteelTrace> moved(before.StockRows.size());
  for (std::size_t r = 0; r < rowTraces.size() && r < tidied.size(); ++r) {
    if (tidied[r] >= 0) moved[static_cast<std::size_t>(tidied[r])] = rowTraces[r];
  }
  return moved;
}

std::optional<std::vector<int32_t>> DocumentStockRows(const PlanResult& result) {
  // Each row's count cell carries its row number through the reading and the
  // sort, which order rows by length alone, so the plan's stock rows lead back
  // to the document's rows.
  JobDocument tagged = result.Document;
  for (std::size_t r = 0; r < tagged.StockRows.size(); ++r) tagged.StockRows[r].Count = std::to_string(r + 1);
  const TJob job = PlanningJob(tagged);
  const Plan& plan = result.Plan;
  if (job.StockCount != plan.StockRowCount()) return std::nullopt;
  std::vector<int32_t> rows;
  for (int32_t i = 1; i <= job.StockCount; ++i) {
    const TLengthRow& row = job.StockTable[static_cast<std::size_t>(i)];
    if (row.Length != plan.StockRow(i).Length) return std::nullopt;
    if (row.Count < 1 || row.Count > static_cast<int32_t>(tagged.StockRows.size())) return std::nullopt;
    rows.push_back(row.Count - 1);
  }
  return rows;
}

std::optional<std::vector<StockRowUse>> StockRowUses(const PlanResult& result) {
  const std::optional<std::vector<int32_t>> rows = DocumentStockRows(result);
  if (!rows) return std::nullopt;
  const Plan& plan = result.Plan;
  std::vector<StockRowUse> uses(result.Document.StockRows.size());
  for (int32_t p = 1; p <= plan.PatternCount(); ++p) {
    const TCutPattern& pattern = plan.Pattern(p);
    if (!plan.HasStockRow(pattern)) continue;
    const int32_t row = (*rows)[static_cast<std::size_t>(pattern.StockRow - 1)];
    const bool cuts = std::any_of(pattern.PieceCount.begin(), pattern.PieceCount.end(),
                                  [](int32_t pieces) { return pieces > 0; });
    (cuts ? uses[static_cast<std::size_t>(row)].Cut : uses[static_cast<std::size_t>(row)].Idle) +=
        pattern.BarCount;
  }
  return uses;
}

std::optional<KeepRequest> KeepRequestOf(const PlanResult& result, const std::vector<PlacedOffcutRow>& placed,
                                         std::string source, std::string date,
                                         const std::vector<SteelTrace>& rowTraces) {
  const std::optional<std::vector<StockRowUse>> uses = StockRowUses(result);
  if (!uses) return std::nullopt;
  KeepRequest request;
  request.Section = result.Document.MemberName;
  request.Source = std::move(source);
  request.Date = std::move(date);
  request.Plan = PlanDigest(result);
  request.Job = JobDigest(result.Document);
  if (result.Document.OffcutMin > 0) {
    for (const OffcutBars& bars : OffcutTotalsOf(result.Plan, result.Document.OffcutMin).Offcuts)
      request.Offcuts.push_back({bars.Length, bars.Count});
  }
  for (const PlacedOffcutRow& row : placed) {
    if (row.Row < 0 || row.Row >= static_cast<int32_t>(uses->size())) continue;
    // A row typed over since it was taken is the user's own stock.
    const JobRow& now = result.Document.StockRows[static_cast<std::size_t>(row.Row)];
    if (TextToInt(now.Length) != row.Taken.Length || TextToInt(now.Count) != row.Taken.Count) continue;
    const StockRowUse& use = (*uses)[static_cast<std::size_t>(row.Row)];
    const int64_t bars = std::min<int64_t>(use.Cut, row.Taken.Count);
    for (const EntryUse& entry : EntriesUsed(row.Taken, static_cast<int32_t>(bars)))
      request.Used.push_back(entry);
    // An idle taken bar is still the inventory's entry, with its source and
    // date: it is no new offcut.
    const int64_t idle = std::min<int64_t>(use.Idle, row.Taken.Count - bars);
    const auto kept = std::find_if(request.Offcuts.begin(), request.Offcuts.end(),
                                   [&](const auto& offcut) { return offcut.Length == row.Taken.Length; });
    if (idle > 0 && kept != request.Offcuts.end()) {
      kept->Count -= static_cast<int32_t>(std::min<int64_t>(idle, kept->Count));
      if (kept->Count == 0) request.Offcuts.erase(kept);
    }
  }
  if (AnySteel(placed, rowTraces))
    InheritSteel(request,
                 MakeCutList(result, JobShopInput(result, placed, request.Source, request.Date, rowTraces)));
  return request;
}

std::string OffcutSource(const JobDocument& document, const std::string& jobFileNameUtf8) {
  if (!IsBlank(document.ProjectName)) return document.ProjectName;
  return Utf8ToCp932(jobFileNameUtf8).value_or(std::string());
}

}  // namespace yobina
