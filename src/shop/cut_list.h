// The cut list: the plan laid out for the saw, bar by bar in the report's
// pattern order, on each bar its pieces in the order they are cut (longest
// first, as the diagrams draw them), then what is left. Each piece gets a mark
// of the parts behind its cut row; each offcut the plan keeps gets a label.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plan/offcuts.h"
#include "plan/plan_result.h"
#include "shop/shop_input.h"

namespace yobina {

struct CutPiece {
  int32_t Order = 0;   // 切断順 on its bar, from 1
  int32_t CutRow = 0;  // of the plan's cut table
  int32_t Length = 0;  // mm
  std::string Mark;    // 符号, or "#row" where no part names it
  std::string Phase;   // 節 of that part
};

struct CutBar {
  int32_t Number = 0;  // 素材No, from 1
  int32_t StockLength = 0;
  BarOrigin Origin = BarOrigin::OnHand;
  int64_t OffcutId = 0;  // the inventory entry the bar is, for an offcut
  std::string Heat;
  std::string Grade;  // its own, else the job's
  std::string MillSheet;
  std::vector<CutPiece> Pieces;  // in cutting order; none for a bar the plan only lists
  int32_t Leftover = 0;          // whole mm
  LeftoverKind Kind = LeftoverKind::Leftover;
};

// An offcut the plan makes: a bar's leftover of at least the minimum offcut
// length, except an offcut of the inventory the plan lists but does not cut,
// which goes back as it is ("keep" records the same).
struct KeptOffcut {
  int32_t Bar = 0;  // 素材No it is left of
  int32_t Length = 0;
  int64_t Id = 0;    // its inventory entry once kept; 0 before
  std::string Heat;  // the bar's steel, which the offcut is
  std::string Grade = {};
  std::string MillSheet = {};
};

struct CutList {
  std::string ProjectName;  // 工事名 and 部材名 as the report prints them
  std::string MemberName;
  std::string Grade;
  std::string Source;
  std::string Date;
  std::vector<CutBar> Bars;
  std::vector<KeptOffcut> Offcuts;  // in bar order
};

// The result's plan (none: an empty list) with `input`'s origins and parts.
// The pieces of each cut row take the marks of its parts in the order of
// their phase, then their mark (digits compared as numbers), then their list,
// each mark as many times as its part's count: the counts per mark are the
// parts' exactly when the parts add up to the row's pieces. Pieces past the
// parts are named "#row".
CutList MakeCutList(const PlanResult& result, const ShopInput& input);

int64_t PieceCount(const CutList& list);

// "残材#123", "購入" or "手持ち" (code page 932).
std::string OriginText(const CutBar& bar);

// UTF-8 with a byte-order mark, CR LF lines: the heading
// "工事名,部材名,鋼種,素材No,素材長,出所,溶鋼番号,切断順,符号,長さ,節,残り,残りの扱い",
// then a line a piece in cut-list order; a bar without pieces has one line
// without them. 残り and 残りの扱い (残材 or 端材, with a minimum offcut length
// set) are on the bar's last line only.
std::string CutListCsv(const CutList& list);

// The one-line texts of the labels' QR codes, UTF-8 so that phones read them:
// "yobina1|工事名|部材名|素材No|切断順|符号|長さ" and "yobina1|残材|id|部材名|長さ"
// (id empty until kept). A "|" inside a text is written "｜".
std::string PieceQrText(const CutList& list, const CutBar& bar, const CutPiece& piece);
std::string OffcutQrText(const CutList& list, const KeptOffcut& offcut);

}  // namespace yobina
