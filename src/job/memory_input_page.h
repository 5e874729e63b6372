// An input page held in memory, laid out as the window's: eight edit fields,
// the trial-count group and the two grids with their headings.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "job/input_page.h"

namespace yobina {

class MemoryInputPage : public InputPage {
 public:
  static constexpr int kGridRows = 36;  // heading row and 35 data rows
  static constexpr int kGridColumns = 3;
  static constexpr int kFieldCount = 8;
  static constexpr int kDefaultTrialIndex = 1;  // "100回"

  MemoryInputPage();

  std::string FieldText(std::string_view name) const override;
  void SetFieldText(std::string_view name, const std::string& text) override;

  int TrialIndex() const override { return trialIndex_; }
  // An index outside the items leaves none selected.
  void SetTrialIndex(int index) override;
  int TrialItemCount() const override { return static_cast<int>(trialCaptions_.size()); }
  std::string TrialCaption(int index) const override;

  int RowCount(std::string_view grid) const override;
  int ColumnCount(std::string_view grid) const override;
  std::string CellText(std::string_view grid, int column, int row) const override;
  void SetCellText(std::string_view grid, int column, int row, const std::string& text) override;

  // Headings of row 0 and the row numbers of column 0 of both grids.
  void SetGridHeaders();

 private:
  using Grid = std::array<std::array<std::string, kGridColumns>, kGridRows>;

  std::string* FindField(std::string_view name);
  const std::string* FindField(std::string_view name) const;
  Grid* FindGrid(std::string_view grid);
  const Grid* FindGrid(std::string_view grid) const;

  std::array<std::string, kFieldCount> fields_{};
  std::vector<std::string> trialCaptions_;
  int trialIndex_ = kDefaultTrialIndex;
  Grid stockGrid_{};
  Grid cutGrid_{};
};

}  // namespace yobina
