// What the job model, the data file and the report need of the input page.
// The window implements it over its widgets; MemoryInputPage implements it for
// the batch program and the tests. All texts are code page 932.
#pragma once

#include <string>
#include <string_view>

namespace yobina {

// Element names; they are also the data file's keys.
namespace element {
inline constexpr std::string_view kTabSheet1 = "TabSheet1";
inline constexpr std::string_view kTabSheet2 = "TabSheet2";
inline constexpr std::string_view kYear = "edYY";
inline constexpr std::string_view kMonth = "edMM";
inline constexpr std::string_view kDay = "edDD";
inline constexpr std::string_view kProjectName = "edKname";
inline constexpr std::string_view kMemberName = "edBname";
inline constexpr std::string_view kUnitWeight = "edWunit";
inline constexpr std::string_view kMargin = "edyoyu";
inline constexpr std::string_view kKerf = "edsiro";
inline constexpr std::string_view kTrialCount = "rgTryCnt";
inline constexpr std::string_view kStockGrid = "Grid1";
inline constexpr std::string_view kCutGrid = "Grid2";
}  // namespace element

class InputPage {
 public:
  virtual ~InputPage() = default;

  // Edit fields by element name (edYY ... edsiro). Unknown names read as "".
  virtual std::string FieldText(std::string_view name) const = 0;
  virtual void SetFieldText(std::string_view name, const std::string& text) = 0;

  // The trial-count group: selected index (-1 when none) and item captions.
  virtual int TrialIndex() const = 0;
  virtual void SetTrialIndex(int index) = 0;
  virtual int TrialItemCount() const = 0;
  virtual std::string TrialCaption(int index) const = 0;

  // Grids (Grid1, Grid2) including the fixed row 0 and column 0.
  virtual int RowCount(std::string_view grid) const = 0;
  virtual int ColumnCount(std::string_view grid) const = 0;
  virtual std::string CellText(std::string_view grid, int column, int row) const = 0;
  virtual void SetCellText(std::string_view grid, int column, int row, const std::string& text) = 0;
};

}  // namespace yobina
