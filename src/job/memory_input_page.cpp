#include "job/memory_input_page.h"

#include <cstdio>

#include "text/codec.h"

namespace yobina {

namespace {

constexpr std::array<std::string_view, MemoryInputPage::kFieldCount> kFieldNames = {
    element::kYear,       element::kMonth,      element::kDay,    element::kProjectName,
    element::kMemberName, element::kUnitWeight, element::kMargin, element::kKerf,
};

bool InGrid(int column, int row) {
  return column >= 0 && column < MemoryInputPage::kGridColumns && row >= 0 &&
         row < MemoryInputPage::kGridRows;
}

}  // namespace

MemoryInputPage::MemoryInputPage() : trialCaptions_{Cp932("10回"), Cp932("100回"), Cp932("500回")} {
  SetGridHeaders();
}

std::string* MemoryInputPage::FindField(std::string_view name) {
  for (std::size_t i = 0; i < kFieldNames.size(); ++i) {
    if (kFieldNames[i] == name) return &fields_[i];
  }
  return nullptr;
}

const std::string* MemoryInputPage::FindField(std::string_view name) const {
  return const_cast<MemoryInputPage*>(this)->FindField(name);
}

MemoryInputPage::Grid* MemoryInputPage::FindGrid(std::string_view grid) {
  if (grid == element::kStockGrid) return &stockGrid_;
  if (grid == element::kCutGrid) return &cutGrid_;
  return nullptr;
}

const MemoryInputPage::Grid* MemoryInputPage::FindGrid(std::string_view grid) const {
  return const_cast<MemoryInputPage*>(this)->FindGrid(grid);
}

std::string MemoryInputPage::FieldText(std::string_view name) const {
  const std::string* field = FindField(name);
  return field ? *field : std::string();
}

void MemoryInputPage::SetFieldText(std::string_view name, const std::string& text) {
  if (std::string* field = FindField(name)) *field = text;
}

void MemoryInputPage::SetTrialIndex(int index) {
  trialIndex_ = index >= 0 && index < TrialItemCount() ? index : -1;
}

std::string MemoryInputPage::TrialCaption(int index) const {
  if (index < 0 || index >= TrialItemCount()) return std::string();
  return trialCaptions_[static_cast<std::size_t>(index)];
}

int MemoryInputPage::RowCount(std::string_view grid) const {
  return FindGrid(grid) ? kGridRows : 0;
}

int MemoryInputPage::ColumnCount(std::string_view grid) const {
  return FindGrid(grid) ? kGridColumns : 0;
}

std::string MemoryInputPage::CellText(std::string_view grid, int column, int row) const {
  const Grid* cells = FindGrid(grid);
  if (!cells || !InGrid(column, row)) return std::string();
  return (*cells)[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MemoryInputPage::SetCellText(std::string_view grid, int column, int row, const std::string& text) {
  Grid* cells = FindGrid(grid);
  if (!cells || !InGrid(column, row)) return;
  (*cells)[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

void MemoryInputPage::SetGridHeaders() {
  static const std::string kLengthHeading = Cp932("長さmm");
  static const std::string kCountHeading = Cp932(" 本数");
  for (Grid* grid : {&stockGrid_, &cutGrid_}) {
    (*grid)[0][1] = kLengthHeading;
    (*grid)[0][2] = kCountHeading;
    for (int row = 1; row < kGridRows; ++row) {
      char number[16];
      std::snprintf(number, sizeof number, "%3d", row);
      (*grid)[static_cast<std::size_t>(row)][0] = number;
    }
  }
}

}  // namespace yobina
