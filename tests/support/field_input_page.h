// An input page for tests that only holds edit-field texts (code page 932);
// the grids are empty and no trial item is selected.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "job/input_page.h"

namespace yobina::test {

class FieldInputPage : public InputPage {
 public:
  std::string FieldText(std::string_view name) const override {
    const auto it = fields_.find(std::string(name));
    return it == fields_.end() ? std::string() : it->second;
  }
  void SetFieldText(std::string_view name, const std::string& text) override {
    fields_[std::string(name)] = text;
  }

  int TrialIndex() const override { return -1; }
  void SetTrialIndex(int /*index*/) override {}
  int TrialItemCount() const override { return 0; }
  std::string TrialCaption(int /*index*/) const override { return {}; }

  int RowCount(std::string_view /*grid*/) const override { return 0; }
  int ColumnCount(std::string_view /*grid*/) const override { return 0; }
  std::string CellText(std::string_view /*grid*/, int /*column*/, int /*row*/) const override { return {}; }
  void SetCellText(std::string_view /*grid*/, int /*column*/, int /*row*/,
                   const std::string& /*text*/) override {}

 private:
  std::map<std::string, std::string, std::less<>> fields_;
};

}  // namespace yobina::test
