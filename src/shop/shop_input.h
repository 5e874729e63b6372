// What the shop floor needs of a job beyond its plan: where the bars come
// from, the parts behind each cut row, the steel. Plain values (code page 932
// texts), so a job, the window and each section of a building fill them alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace yobina {

enum class BarOrigin {
  Bought,  // 購入
  OnHand,  // 手持ち
  Offcut,  // an offcut of the inventory: 残材#id
};

// Bars of one origin within a stock row.
struct StockBars {
  BarOrigin Origin = BarOrigin::OnHand;
  int64_t OffcutId = 0;  // the inventory entry, for an offcut
  int32_t Count = 0;
  std::string Heat;  // 溶鋼番号; empty: not known
  // 鋼種 and ミルシート番号 of these bars where known: the grade is shown for
  // them instead of the job's, and both pass with the heat number to an
  // offcut left of them.
  std::string Grade = {};
  std::string MillSheet = {};
};

// A part behind a cut row: `Count` pieces of its length.
struct RowPart {
  std::string Mark;   // 符号; may be empty
  std::string Phase;  // 節; may be empty
  int32_t Count = 0;
};

struct ShopInput {
  std::string Grade;  // 鋼種 of the job's steel; empty: not known
  // By stock row of the plan (index row - 1): where its bars come from. The
  // bars the plan cuts are handed out from the head of the list, in cut-list
  // order, and those it only lists after them; bars past the list, and rows
  // without one, are of `OtherBars`.
  std::vector<std::vector<StockBars>> StockRows;
  BarOrigin OtherBars = BarOrigin::OnHand;
  // By cut row of the plan (index row - 1): the parts its pieces are, in the
  // order of their list. A row without parts names its pieces "#row".
  std::vector<std::vector<RowPart>> CutRows;
  std::string Source;  // the job an offcut comes from, as the inventory names it
  std::string Date;    // "YYYY-MM-DD": the day on the offcut labels
};

}  // namespace yobina
