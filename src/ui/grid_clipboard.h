// Blocks of cells between a string grid and the clipboard, in the form that
// spreadsheets exchange them: a row a line, its columns split as the job file
// splits a row's fields (at tabs, or at commas in a line without a tab).
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace yobina {

class TStringGrid;

// Whether pasted text is a block of cells rather than text for one cell.
bool IsCellBlock(const QString& text);

// The rows of a block, each the texts of its cells up to its last one that is
// not blank. A line break at the very end closes the last row.
std::vector<QStringList> SplitCellBlock(const QString& text);

struct PasteOutcome {
  // Rows and columns of the block holding text that found no cell.
  int rowsLeftOut = 0;
  int columnsLeftOut = 0;
  // Number cells that took text with no clean number, as it was.
  bool unclearNumbers = false;
};

// Fills the grid from its current cell to the right and down, every cell as
// if its text were typed and the cell left, and selects the cells filled.
PasteOutcome PasteCellBlock(TStringGrid& grid, const QString& text);

// The selected cells (the current one when none is selected) as rows of
// tab-separated texts without their blanks, each row ending in a line break.
QString CopyCellBlock(const TStringGrid& grid);

// Empties the selected cells.
void ClearSelectedCells(TStringGrid& grid);

// The one short message about a block that did not fit; empty when all fit.
QString LeftOutMessage(const PasteOutcome& outcome);

}  // namespace yobina
