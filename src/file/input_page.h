// The input page as the job file reads and writes it: the window implements it
// over its widgets, MemoryInputPage in memory. Everything past the start of a
// command works on a JobDocument instead (page_document.h converts). All
// texts are code page 932; the elements are those of page_elements.h.
#pragma once

#include <string>

#include "job/page_elements.h"

namespace yobina {

class InputPage {
 public:
  virtual ~InputPage() = default;

  virtual std::string FieldText(FieldId field) const = 0;
  virtual void SetFieldText(FieldId field, const std::string& text) = 0;

  // The trial-count group: selected index (-1 when none) and item captions.
  virtual int TrialIndex() const = 0;
  virtual void SetTrialIndex(int index) = 0;
  virtual int TrialItemCount() const = 0;
  virtual std::string TrialCaption(int index) const = 0;

  // Grids including the fixed row 0 and column 0.
  virtual int RowCount(GridId grid) const = 0;
  virtual int ColumnCount(GridId grid) const = 0;
  virtual std::string CellText(GridId grid, int column, int row) const = 0;
  virtual void SetCellText(GridId grid, int column, int row, const std::string& text) = 0;
};

}  // namespace yobina
