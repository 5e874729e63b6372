#include "ui/grid_clipboard.h"

#include <QRegularExpression>
#include <algorithm>

#include "text/half_width.h"
#include "ui/string_grid.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

bool IsBlank(const QString& text) {
  return text.trimmed().isEmpty();
}

// The selection as one range of data cells (1..); the current cell without one.
QTableWidgetSelectionRange SelectedRange(const TStringGrid& grid) {
  const QList<QTableWidgetSelectionRange> ranges = grid.selectedRanges();
  if (ranges.isEmpty()) {
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    return {row, column, row, column};
  }
  return ranges.front();  // the grid selects one contiguous range
}

}  // namespace

bool IsCellBlock(const QString& text) {
  return text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) ||
         text.contains(QLatin1Char('\r'));
}

std::vector<QStringList> SplitCellBlock(const QString& text) {
  static const QRegularExpression kLineBreak(QStringLiteral("\r\n|\r|\n"));
  QStringList lines = text.split(kLineBreak);
  if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
  std::vector<QStringList> rows;
  rows.reserve(static_cast<size_t>(lines.size()));
  for (const QString& line : lines) {
    // Characters the code page lacks would reach the split as "?": they go
    // first, as they would when typed; the tabs stay to split at.
    QStringList parts = line.split(QLatin1Char('\t'));
    for (QString& part : parts) part = KeepStorableCharacters(part);
    FieldArray fields;
    SplitFields(ToCp932(parts.join(QLatin1Char('\t'))), fields);
    int last = 0;
    for (int f = 1; f <= kMaxFields; ++f) {
      if (!IsBlank(ToQString(fields[static_cast<size_t>(f)]))) last = f;
    }
    QStringList cells;
    for (int f = 1; f <= last; ++f) cells << ToQString(fields[static_cast<size_t>(f)]);
    rows.push_back(cells);
  }
  return rows;
}

PasteOutcome PasteCellBlock(TStringGrid& grid, const QString& text) {
  const std::vector<QStringList> rows = SplitCellBlock(text);
  const int firstRow = grid.CurrentRow();
  const int firstColumn = grid.CurrentColumn();
  const int roomRows = grid.rowCount() - firstRow + 1;
  const int roomColumns = grid.columnCount() - firstColumn + 1;
  int width = 0;
  for (const QStringList& row : rows) width = std::max(width, static_cast<int>(row.size()));

  PasteOutcome outcome;
  const int filledRows = std::min(static_cast<int>(rows.size()), roomRows);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const QStringList& cells = rows[static_cast<size_t>(r)];
    if (r >= roomRows) {
      if (!cells.isEmpty()) ++outcome.rowsLeftOut;
      continue;
    }
    outcome.columnsLeftOut = std::max(outcome.columnsLeftOut, static_cast<int>(cells.size()) - roomColumns);
    for (int c = 0; c < std::min(width, roomColumns); ++c) {
      const QString typed = c < cells.size() ? cells[c] : QString();
      grid.SetCell(firstColumn + c, firstRow + r,
                   grid.TypedCellText(firstColumn + c, typed, &outcome.unclearNumbers));
    }
  }
  grid.clearSelection();
  if (filledRows > 0 && width > 0) {
    grid.setRangeSelected({firstRow - 1, firstColumn - 1, firstRow + filledRows - 2,
                           firstColumn + std::min(width, roomColumns) - 2},
                          true);
  }
  return outcome;
}

QString CopyCellBlock(const TStringGrid& grid) {
  const QTableWidgetSelectionRange range = SelectedRange(grid);
  QString text;
  for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
    QStringList cells;
    for (int column = range.leftColumn(); column <= range.rightColumn(); ++column) {
      cells << grid.Cell(column + 1, row + 1).trimmed();
    }
    text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  return text;
}

void ClearSelectedCells(TStringGrid& grid) {
  const QTableWidgetSelectionRange range = SelectedRange(grid);
  for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
    for (int column = range.leftColumn(); column <= range.rightColumn(); ++column) {
      grid.SetCell(column + 1, row + 1, QString());
    }
  }
}

QString LeftOutMessage(const PasteOutcome& outcome) {
  QString what;
  if (outcome.rowsLeftOut > 0) what = QStringLiteral("%1 行").arg(outcome.rowsLeftOut);
  if (outcome.columnsLeftOut > 0) {
    if (!what.isEmpty()) what += QStringLiteral("と");
    what += QStringLiteral("%1 列").arg(outcome.columnsLeftOut);
  }
  if (what.isEmpty()) return {};
  return QStringLiteral("表に入りきらない %1は貼り付けていません。").arg(what);
}

}  // namespace yobina
