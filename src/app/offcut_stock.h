// Offcuts between the inventory and a job: taken offcuts put on the stock
// list's free rows, and what a plan of that job gives back to the inventory
// (its offcuts) and takes out of it (the taken bars it cuts).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/offcut.h"
#include "job/job_document.h"
#include "plan/plan_result.h"
#include "plan/steel_trace.h"

namespace yobina {

// Stock rows whose length and count cells are both empty.
int32_t FreeStockRows(const JobDocument& document);

// Writes the taken rows into the free stock rows, top to bottom, and says
// where each went. Rows beyond the free ones are left out (Take already gave
// no more than the free rows).
std::vector<PlacedOffcutRow> PlaceTakenRows(JobDocument& document, const std::vector<TakenRow>& rows);

// Where placed rows of `before` stand once it is tidied (Normalized closes up
// the rows without a length); rows whose length is gone are dropped.
std::vector<PlacedOffcutRow> FollowTidying(const JobDocument& before, std::vector<PlacedOffcutRow> placed);

// The steel of the stock rows of `before` (by row), moved with the rows as it
// is tidied: by row of the tidied document, a row without a length having none.
std::vector<SteelTrace> FollowTidying(const JobDocument& before, const std::vector<SteelTrace>& rowTraces);

// The document's row (0-based) of each stock row of the plan, in the plan's
// order; none when the plan's stock table is not that document's.
std::optional<std::vector<int32_t>> DocumentStockRows(const PlanResult& result);

// How the plan uses a stock row of its document: bars it cuts pieces from,
// and bars it only lists (the short-first rule puts every short bar in the
// plan, even one no piece fits).
struct StockRowUse {
  int64_t Cut = 0;
  int64_t Idle = 0;
};

// Per stock row of the plan's document (0-based rows); none when the plan's
// stock table is not that document's.
std::optional<std::vector<StockRowUse>> StockRowUses(const PlanResult& result);

// What "keep" records for a plan: its offcuts (none with the minimum offcut
// length off) and, of each placed row, the entries of the bars the plan cuts;
// a taken bar the plan cuts nothing from stays as it is in the inventory;
// a row whose length or count was typed over since it was taken counts as the
// user's own stock. None when the plan does not match its document. `source`
// is the job's name as the inventory keeps it. The request carries the plan's
// digest, so that it is kept once, and the job's (as planned), whose recorded
// taking it settles. An offcut inherits the steel of the bar it is left of, as
// the cut list hands the bars out: a taken entry's, else its row's in
// `rowTraces` (by stock row of the plan's document, as JobShopInput takes them).
std::optional<KeepRequest> KeepRequestOf(const PlanResult& result, const std::vector<PlacedOffcutRow>& placed,
                                         std::string source, std::string date,
                                         const std::vector<SteelTrace>& rowTraces = {});

// The name "keep" records as an offcut's source: the project name, else the
// job file's name (code page 932 where it converts).
std::string OffcutSource(const JobDocument& document, const std::string& jobFileNameUtf8);

}  // namespace yobina
