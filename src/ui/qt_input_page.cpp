#include "ui/qt_input_page.h"

#include "ui/ui_text.h"

namespace yobina {

TEditField* QtInputPage::Field(std::string_view name) const {
  const std::pair<std::string_view, TEditField*> fields[] = {
      {element::kYear, w_.year},
      {element::kMonth, w_.month},
      {element::kDay, w_.day},
      {element::kProjectName, w_.projectName},
      {element::kMemberName, w_.memberName},
      {element::kUnitWeight, w_.unitWeight},
      {element::kMargin, w_.margin},
      {element::kKerf, w_.kerf},
  };
  for (const auto& [key, field] : fields) {
    if (key == name) return field;
  }
  return nullptr;
}

TStringGrid* QtInputPage::Grid(std::string_view name) const {
  if (name == element::kStockGrid) return w_.stockGrid;
  if (name == element::kCutGrid) return w_.cutGrid;
  return nullptr;
}

std::string QtInputPage::FieldText(std::string_view name) const {
  const TEditField* field = Field(name);
  return field ? ToCp932(field->text()) : std::string();
}

void QtInputPage::SetFieldText(std::string_view name, const std::string& text) {
  if (TEditField* field = Field(name)) field->SetText(ToQString(text));
}

int QtInputPage::TrialIndex() const {
  return w_.trialCount->ItemIndex();
}

void QtInputPage::SetTrialIndex(int index) {
  w_.trialCount->SetItemIndex(index);
}

int QtInputPage::TrialItemCount() const {
  return w_.trialCount->ItemCount();
}

std::string QtInputPage::TrialCaption(int index) const {
  return ToCp932(w_.trialCount->ItemCaption(index));
}

int QtInputPage::RowCount(std::string_view grid) const {
  const TStringGrid* g = Grid(grid);
  return g ? g->RowCountWithHeadings() : 0;
}

int QtInputPage::ColumnCount(std::string_view grid) const {
  const TStringGrid* g = Grid(grid);
  return g ? g->ColumnCountWithHeadings() : 0;
}

std::string QtInputPage::CellText(std::string_view grid, int column, int row) const {
  const TStringGrid* g = Grid(grid);
  return g ? ToCp932(g->Cell(column, row)) : std::string();
}

void QtInputPage::SetCellText(std::string_view grid, int column, int row, const std::string& text) {
  if (TStringGrid* g = Grid(grid)) g->SetCell(column, row, ToQString(text));
}

}  // namespace yobina
