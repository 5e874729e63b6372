// The input page interface over the window's widgets; code page 932 on the
// interface's side, QString on the widgets'.
#pragma once

#include "job/input_page.h"
#include "ui/input_page_widgets.h"

namespace yobina {

class QtInputPage : public InputPage {
 public:
  explicit QtInputPage(const InputPageWidgets& widgets) : w_(widgets) {}

  std::string FieldText(std::string_view name) const override;
  void SetFieldText(std::string_view name, const std::string& text) override;

  int TrialIndex() const override;
  void SetTrialIndex(int index) override;
  int TrialItemCount() const override;
  std::string TrialCaption(int index) const override;

  int RowCount(std::string_view grid) const override;
  int ColumnCount(std::string_view grid) const override;
  std::string CellText(std::string_view grid, int column, int row) const override;
  void SetCellText(std::string_view grid, int column, int row, const std::string& text) override;

 private:
  TEditField* Field(std::string_view name) const;
  TStringGrid* Grid(std::string_view name) const;

  InputPageWidgets w_;
};

}  // namespace yobina
