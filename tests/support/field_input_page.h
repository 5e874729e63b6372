// An input page for tests that only holds edit-field texts (code page 932);
// the grids are empty and no trial item is selected.
#pragma once

#include <array>
#include <string>

#include "job/input_page.h"

namespace yobina::test {

class FieldInputPage : public InputPage {
 public:
  std::string FieldText(FieldId field) const override { return fields_[static_cast<std::size_t>(field)]; }
  void SetFieldText(FieldId field, const std::string& text) override {
    fields_[static_cast<std::size_t>(field)] = text;
  }

  int TrialIndex() const override { return -1; }
  void SetTrialIndex(int /*index*/) override {}
  int TrialItemCount() const override { return 0; }
  std::string TrialCaption(int /*index*/) const override { return {}; }

  int RowCount(GridId /*grid*/) const override { return 0; }
  int ColumnCount(GridId /*grid*/) const override { return 0; }
  std::string CellText(GridId /*grid*/, int /*column*/, int /*row*/) const override { return {}; }
  void SetCellText(GridId /*grid*/, int /*column*/, int /*row*/, const std::string& /*text*/) override {}

 private:
  std::array<std::string, kFieldElements.size()> fields_{};
};

}  // namespace yobina::test
