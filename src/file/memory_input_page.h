// An input page held in memory, laid out as the window's: the edit fields,
// the trial-count group and the two grids with their headings.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "file/input_page.h"

namespace yobina {

class MemoryInputPage : public InputPage {
 public:
  static constexpr int kGridRows = kGridDataRows + 1;  // with the heading row
  static constexpr int kGridColumns = static_cast<int>(kGridColumnElements.size()) + 1;

  MemoryInputPage();

  std::string FieldText(FieldId field) const override;
  void SetFieldText(FieldId field, const std::string& text) override;

  int TrialIndex() const override { return trialIndex_; }
  // An index outside the items leaves none selected.
  void SetTrialIndex(int index) override;
  int TrialItemCount() const override { return static_cast<int>(trialCaptions_.size()); }
  std::string TrialCaption(int index) const override;

  int RowCount(GridId grid) const override;
  int ColumnCount(GridId grid) const override;
  std::string CellText(GridId grid, int column, int row) const override;
  void SetCellText(GridId grid, int column, int row, const std::string& text) override;

  // Headings of row 0 and the row numbers of column 0 of both grids.
  void SetGridHeaders();

 private:
  using Grid = std::array<std::array<std::string, kGridColumns>, kGridRows>;

  std::array<std::string, kFieldElements.size()> fields_{};
  std::vector<std::string> trialCaptions_;
  int trialIndex_ = kTrialCountElement.DefaultIndex;
  std::array<Grid, kGridKeys.size()> grids_{};
};

}  // namespace yobina
