#include "ui/qt_input_page.h"

#include "ui/ui_text.h"

namespace yobina {

std::string QtInputPage::FieldText(FieldId field) const {
  return ToCp932(w_.Field(field)->text());
}

void QtInputPage::SetFieldText(FieldId field, const std::string& text) {
  w_.Field(field)->SetText(ToQString(text));
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

int QtInputPage::RowCount(GridId grid) const {
  return w_.Grid(grid)->RowCountWithHeadings();
}

int QtInputPage::ColumnCount(GridId grid) const {
  return w_.Grid(grid)->ColumnCountWithHeadings();
}

std::string QtInputPage::CellText(GridId grid, int column, int row) const {
  return ToCp932(w_.Grid(grid)->Cell(column, row));
}

void QtInputPage::SetCellText(GridId grid, int column, int row, const std::string& text) {
  w_.Grid(grid)->SetCell(column, row, ToQString(text));
}

}  // namespace yobina
