#include "file/memory_input_page.h"

#include <cstdio>

#include "text/codec.h"

namespace yobina {

namespace {

bool InGrid(int column, int row) {
  return column >= 0 && column < MemoryInputPage::kGridColumns && row >= 0 &&
         row < MemoryInputPage::kGridRows;
}

std::size_t Index(FieldId field) {
  return static_cast<std::size_t>(field);
}

std::size_t Index(GridId grid) {
  return static_cast<std::size_t>(grid);
}

}  // namespace

MemoryInputPage::MemoryInputPage() {
  for (std::string_view item : kTrialCountElement.ItemsUtf8) trialCaptions_.push_back(Cp932(item));
  SetGridHeaders();
}

std::string MemoryInputPage::FieldText(FieldId field) const {
  return fields_[Index(field)];
}

void MemoryInputPage::SetFieldText(FieldId field, const std::string& text) {
  fields_[Index(field)] = text;
}

void MemoryInputPage::SetTrialIndex(int index) {
  trialIndex_ = index >= 0 && index < TrialItemCount() ? index : -1;
}

std::string MemoryInputPage::TrialCaption(int index) const {
  if (index < 0 || index >= TrialItemCount()) return std::string();
  return trialCaptions_[static_cast<std::size_t>(index)];
}

int MemoryInputPage::RowCount(GridId) const {
  return kGridRows;
}

int MemoryInputPage::ColumnCount(GridId) const {
  return kGridColumns;
}

std::string MemoryInputPage::CellText(GridId grid, int column, int row) const {
  if (!InGrid(column, row)) return std::string();
  return grids_[Index(grid)][static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MemoryInputPage::SetCellText(GridId grid, int column, int row, const std::string& text) {
  if (!InGrid(column, row)) return;
  grids_[Index(grid)][static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

void MemoryInputPage::SetGridHeaders() {
  for (Grid& grid : grids_) {
    for (std::size_t column = 0; column < kGridColumnElements.size(); ++column) {
      grid[0][column + 1] = Cp932(kGridColumnElements[column].HeadingUtf8);
    }
    for (int row = 1; row < kGridRows; ++row) {
      char number[16];
      std::snprintf(number, sizeof number, "%3d", row);
      grid[static_cast<std::size_t>(row)][0] = number;
    }
  }
}

}  // namespace yobina
