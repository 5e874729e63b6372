// The input page interface over the window's widgets; code page 932 on the
// interface's side, QString on the widgets'.
#pragma once

#include "file/input_page.h"
#include "ui/input_page_widgets.h"

namespace yobina {

class QtInputPage : public InputPage {
 public:
  explicit QtInputPage(const InputPageWidgets& widgets) : w_(widgets) {}

  std::string FieldText(FieldId field) const override;
  void SetFieldText(FieldId field, const std::string& text) override;

  int TrialIndex() const override;
  void SetTrialIndex(int index) override;
  int TrialItemCount() const override;
  std::string TrialCaption(int index) const override;

  int RowCount(GridId grid) const override;
  int ColumnCount(GridId grid) const override;
  std::string CellText(GridId grid, int column, int row) const override;
  void SetCellText(GridId grid, int column, int row, const std::string& text) override;

 private:
  InputPageWidgets w_;
};

}  // namespace yobina
