#include "shop/cut_list.h"

#include <algorithm>
#include <cmath>

#include "diagram/bar_geometry.h"
#include "report/report_lines.h"
#include "report/report_text.h"
#include "shop/part_marks.h"
#include "text/codec.h"

namespace yobina {
namespace {

int32_t WholeMm(double mm) {
  return static_cast<int32_t>(std::clamp(std::round(mm), -2e9, 2e9));
}

bool CutsPieces(const TCutPattern& pattern) {
  return std::any_of(pattern.PieceCount.begin(), pattern.PieceCount.end(), [](int32_t n) { return n > 0; });
}

template <typename T>
const T* RowOf(const std::vector<T>& rows, int32_t row) {
  if (row < 1 || row > static_cast<int32_t>(rows.size())) return nullptr;
  return &rows[static_cast<std::size_t>(row - 1)];
}

// Hands out the bars of each stock row: those the plan cuts from the head of
// the row's list, those it only lists after all of them.
class BarSources {
 public:
  BarSources(const Plan& plan, const ShopInput& input) : input_(input) {
    const auto rows = static_cast<std::size_t>(plan.StockRowCount()) + 1;
    nextCut_.assign(rows, 0);
    nextIdle_.assign(rows, 0);
    for (int32_t p = 1; p <= plan.PatternCount(); ++p) {
      const TCutPattern& pattern = plan.Pattern(p);
      if (plan.HasStockRow(pattern) && CutsPieces(pattern))
        nextIdle_[static_cast<std::size_t>(pattern.StockRow)] += std::max(0, pattern.BarCount);
    }
  }

  StockBars Next(const Plan& plan, const TCutPattern& pattern) {
    StockBars bar;
    bar.Origin = input_.OtherBars;
    if (!plan.HasStockRow(pattern)) return bar;
    const auto row = static_cast<std::size_t>(pattern.StockRow);
    int64_t index = CutsPieces(pattern) ? nextCut_[row]++ : nextIdle_[row]++;
    if (const std::vector<StockBars>* list = RowOf(input_.StockRows, pattern.StockRow)) {
      for (const StockBars& bars : *list) {
        if (index < bars.Count) return {bars.Origin, bars.OffcutId, 1, bars.Heat, bars.Grade, bars.MillSheet};
        index -= std::max(0, bars.Count);
      }
    }
    return bar;
  }

 private:
  const ShopInput& input_;
  std::vector<int64_t> nextCut_;
  std::vector<int64_t> nextIdle_;
};

// "#3": a piece no part names, by its cut row as the diagrams name it.
std::string RowMark(int32_t cutRow) {
  std::string mark = "#";
  mark += IntText(cutRow, 0);
  return mark;
}

}  // namespace

CutList MakeCutList(const PlanResult& result, const ShopInput& input) {
  CutList list;
  list.ProjectName = NameFieldText(result.Document, FieldId::ProjectName);
  list.MemberName = NameFieldText(result.Document, FieldId::MemberName);
  list.Grade = input.Grade;
  list.Source = input.Source;
  list.Date = input.Date;
  if (result.Status != PlanStatus::Planned) return list;

  const Plan& plan = result.Plan;
  const int32_t offcutMin = result.Document.OffcutMin;
  std::vector<MarkSequence> marks(static_cast<std::size_t>(plan.CutRowCount()) + 1);
  for (int32_t row = 1; row <= plan.CutRowCount(); ++row) {
    if (const std::vector<RowPart>* parts = RowOf(input.CutRows, row))
      marks[static_cast<std::size_t>(row)] = MarkSequence(*parts);
  }
  BarSources sources(plan, input);

  for (int32_t p = 1; p <= plan.PatternCount(); ++p) {
    const TCutPattern& pattern = plan.Pattern(p);
    // The diagram's picture of the bar gives the sawing order.
    const TBarGeometry geometry = BarGeometryOf(plan.Job(), pattern);
    for (int32_t b = 0; b < pattern.BarCount; ++b) {
      const StockBars source = sources.Next(plan, pattern);
      CutBar bar;
      bar.Number = static_cast<int32_t>(list.Bars.size()) + 1;
      bar.StockLength = plan.StockLengthOf(pattern);
      bar.Origin = source.Origin;
      bar.OffcutId = source.Origin == BarOrigin::Offcut ? source.OffcutId : 0;
      bar.Heat = source.Heat;
      bar.Grade = source.Grade.empty() ? input.Grade : source.Grade;
      bar.MillSheet = source.MillSheet;
      for (const TPieceRun& run : geometry.Runs) {
        for (int32_t n = 0; n < run.Count; ++n) {
          CutPiece piece;
          piece.Order = static_cast<int32_t>(bar.Pieces.size()) + 1;
          piece.CutRow = run.CutRow;
          piece.Length = run.Length;
          if (const RowPart* part = marks[static_cast<std::size_t>(run.CutRow)].Next();
              part != nullptr && !part->Mark.empty()) {
            piece.Mark = part->Mark;
            piece.Phase = part->Phase;
          } else {
            piece.Mark = RowMark(run.CutRow);
            if (part != nullptr) piece.Phase = part->Phase;
          }
          bar.Pieces.push_back(std::move(piece));
        }
      }
      bar.Leftover = WholeMm(pattern.Leftover);
      bar.Kind = KindOfLeftover(pattern.Leftover, offcutMin);
      // An offcut bar the plan only lists goes back as the entry it is, label and all.
      const bool unchanged = bar.Origin == BarOrigin::Offcut && bar.Pieces.empty();
      if (bar.Kind == LeftoverKind::Offcut && !unchanged)
        list.Offcuts.push_back({bar.Number, bar.Leftover, 0, bar.Heat, bar.Grade, bar.MillSheet});
      list.Bars.push_back(std::move(bar));
    }
  }
  return list;
}

int64_t PieceCount(const CutList& list) {
  int64_t pieces = 0;
  for (const CutBar& bar : list.Bars) pieces += static_cast<int64_t>(bar.Pieces.size());
  return pieces;
}

std::string OriginText(const CutBar& bar) {
  switch (bar.Origin) {
    case BarOrigin::Bought:
      return Cp932("購入");
    case BarOrigin::Offcut:
      return Cp932("残材#") + IntText(bar.OffcutId, 0);
    case BarOrigin::OnHand:
      break;
  }
  return Cp932("手持ち");
}

}  // namespace yobina
