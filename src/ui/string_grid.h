// A string grid of the input page: a fixed heading row and row-number column
// around data cells, an editor that is always open on the current cell, rows
// that can be dragged to another place by their heading, and the input page's
// key rules. Cells are numbered as the input page numbers them: row 0 and
// column 0 are the headings, data cells are rows 1.. and columns 1...
#pragma once

#include <QPersistentModelIndex>
#include <QStringList>
#include <QTableWidget>
#include <vector>

class QLineEdit;

namespace yobina {

class TStringGrid : public QTableWidget {
  Q_OBJECT
 public:
  // `formatCodes` holds the code of each data column (1..), by which the cell
  // being left is rewritten (blank for zero).
  TStringGrid(int dataRows, std::vector<int> formatCodes, QWidget* parent);

  int RowCountWithHeadings() const { return rowCount() + 1; }
  int ColumnCountWithHeadings() const { return columnCount() + 1; }
  QString Cell(int column, int row) const;
  void SetCell(int column, int row, const QString& text);

  // Column headings of row 0 (data columns) and the row numbers "%3d" of column 0.
  void SetHeadings(const QStringList& columnHeadings);
  // Empties every data cell.
  void ClearData();
  // The current cell in the same numbering (1.., 1..).
  int CurrentColumn() const { return currentColumn() + 1; }
  int CurrentRow() const { return currentRow() + 1; }
  void SetCurrentCell(int column, int row);
  void NormalizeCurrentCell();
  // Moves the data of one row to another place, the rows between shifting up
  // or down, as dragging the row's heading does.
  void MoveDataRow(int fromRow, int toRow);
  // The editor open on the current cell.
  QLineEdit* CellEditor() const;

  // The format code of a data column (1..); 0 for a column of plain text.
  int FormatCode(int column) const;
  // What a cell of `column` holds after `typed` was typed into it and the
  // cell was left: full-width digits taken as digits, characters the code
  // page lacks left out, a number rewritten in its column's form, thousands
  // separators dropped. Text that holds no clean number (see
  // CleanTypedNumber) stays as it is, for the user to correct; `unclear` says so.
  QString TypedCellText(int column, const QString& typed, bool* unclear = nullptr) const;
  // Ctrl+V: a block of cells (text with tabs or line breaks) fills the grid
  // from the current cell; other text goes into the current cell's editor.
  void PasteClipboard();

 signals:
  // Any character key (Enter included) reached the grid.
  void characterTyped();
  // A row was dragged to a new place.
  void rowMoved();
  // A pasted block did not fit: so many rows and columns holding text were left out.
  void cellsLeftOut(int rows, int columns);
  // A number cell was left, or pasted into, with text that holds no clean number.
  void numberUnclear();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void OnCurrentCellChanged(int row, int column, int previousRow, int previousColumn);
  void OnHeadingMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
  void OpenEditor(int row, int column);
  bool HandleEditorKey(QKeyEvent* event);
  void NormalizeCell(int row, int column);
  void SelectCurrentCellOnly();
  bool Contains(const QWidget* widget) const;

  std::vector<int> formatCodes_;
  QPersistentModelIndex editorIndex_;
};

}  // namespace yobina
