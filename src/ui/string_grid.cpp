#include "ui/string_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <optional>
#include <string>

#include "text/number_text.h"
#include "text/typed_number.h"
#include "ui/cell_delegate.h"
#include "ui/focus_order.h"
#include "ui/grid_clipboard.h"
#include "ui/ui_text.h"
#include "ui/whole_text.h"

namespace yobina {
namespace {

QTableWidgetItem* NewCell() {
  auto* item = new QTableWidgetItem();
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
  item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return item;
}

QTableWidgetItem* NewHeading(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return item;
}

}  // namespace

TStringGrid::TStringGrid(int dataRows, std::vector<int> formatCodes, QWidget* parent)
    : QTableWidget(dataRows, static_cast<int>(formatCodes.size()), parent),
      formatCodes_(std::move(formatCodes)) {
  setItemDelegate(new CellDelegate(this));
  setEditTriggers(QAbstractItemView::NoEditTriggers);  // the editor is opened by the grid
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(8);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  verticalHeader()->setSectionsMovable(true);
  verticalHeader()->setSectionsClickable(false);
  horizontalHeader()->setSectionsClickable(false);  // the heading row is not a selector
  for (int row = 0; row < rowCount(); ++row) {
    for (int column = 0; column < columnCount(); ++column) setItem(row, column, NewCell());
  }

  connect(this, &QTableWidget::currentCellChanged, this, &TStringGrid::OnCurrentCellChanged);
  connect(this, &TStringGrid::numberUnclear, this, [] { QApplication::beep(); });
  connect(verticalHeader(), &QHeaderView::sectionMoved, this, &TStringGrid::OnHeadingMoved);
  // Leaving the grid for another element of the window tidies the current cell.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (old != nullptr && now != nullptr && Contains(old) && !Contains(now) && now->window() == window()) {
      NormalizeCurrentCell();
      clearSelection();  // one grid at a time shows a selection
    }
  });
  setCurrentCell(0, 0);
}

bool TStringGrid::Contains(const QWidget* widget) const {
  return widget == this || isAncestorOf(widget);
}

QString TStringGrid::Cell(int column, int row) const {
  if (row < 0 || row > rowCount() || column < 0 || column > columnCount()) return {};
  if (row == 0 && column == 0) return {};
  const QTableWidgetItem* cell = row == 0      ? horizontalHeaderItem(column - 1)
                                 : column == 0 ? verticalHeaderItem(row - 1)
                                               : item(row - 1, column - 1);
  return cell ? cell->text() : QString();
}

void TStringGrid::SetCell(int column, int row, const QString& text) {
  if (row < 0 || row > rowCount() || column < 0 || column > columnCount()) return;
  if (row == 0 && column == 0) return;
  if (row == 0) {
    setHorizontalHeaderItem(column - 1, NewHeading(text));
  } else if (column == 0) {
    setVerticalHeaderItem(row - 1, NewHeading(text));
  } else if (item(row - 1, column - 1)->text() != text) {
    item(row - 1, column - 1)->setText(text);
  }
}

void TStringGrid::SetHeadings(const QStringList& columnHeadings) {
  for (int column = 1; column <= columnCount(); ++column) {
    SetCell(column, 0, column <= columnHeadings.size() ? columnHeadings[column - 1] : QString());
  }
  for (int row = 1; row <= rowCount(); ++row) SetCell(0, row, QString::asprintf("%3d", row));
}

void TStringGrid::ClearData() {
  for (int row = 1; row <= rowCount(); ++row) {
    for (int column = 1; column <= columnCount(); ++column) SetCell(column, row, QString());
  }
}

void TStringGrid::SetCurrentCell(int column, int row) {
  if (row < 1 || row > rowCount() || column < 1 || column > columnCount()) return;
  setCurrentCell(row - 1, column - 1);
}

int TStringGrid::FormatCode(int column) const {
  if (column < 1 || column > static_cast<int>(formatCodes_.size())) return 0;
  return formatCodes_[static_cast<size_t>(column - 1)];
}

QString TStringGrid::TypedCellText(int column, const QString& typed, bool* unclear) const {
  const QString kept = KeepStorableCharacters(typed);
  const int code = FormatCode(column);
  if (code == 0) return kept;
  const std::optional<std::string> number = CleanTypedNumber(ToCp932(kept));
  if (!number) {
    if (unclear != nullptr) *unclear = true;
    return kept;
  }
  return ToQString(RealToTextBlankZero(code, TextToReal(*number)));
}

void TStringGrid::NormalizeCell(int row, int column) {
  if (FormatCode(column + 1) == 0 || row < 0 || row >= rowCount()) return;
  QTableWidgetItem* cell = item(row, column);
  bool unclear = false;
  const QString tidy = TypedCellText(column + 1, cell->text(), &unclear);
  if (tidy != cell->text()) cell->setText(tidy);
  if (unclear) emit numberUnclear();
}

void TStringGrid::PasteClipboard() {
  const QString text = QGuiApplication::clipboard()->text();
  emit characterTyped();
  if (!IsCellBlock(text)) {
    if (QLineEdit* editor = CellEditor()) editor->paste();
    return;
  }
  const PasteOutcome outcome = PasteCellBlock(*this, text);
  if (outcome.unclearNumbers) emit numberUnclear();
  if (outcome.rowsLeftOut > 0 || outcome.columnsLeftOut > 0) {
    emit cellsLeftOut(outcome.rowsLeftOut, outcome.columnsLeftOut);
  }
}

void TStringGrid::NormalizeCurrentCell() {
  NormalizeCell(currentRow(), currentColumn());
}

void TStringGrid::MoveDataRow(int fromRow, int toRow) {
  if (fromRow < 1 || fromRow > rowCount() || toRow < 1 || toRow > rowCount() || fromRow == toRow) return;
  std::vector<QStringList> rows;
  for (int row = 1; row <= rowCount(); ++row) {
    QStringList cells;
    for (int column = 1; column <= columnCount(); ++column) cells << Cell(column, row);
    rows.push_back(cells);
  }
  QStringList moving = rows[static_cast<size_t>(fromRow - 1)];
  rows.erase(rows.begin() + (fromRow - 1));
  rows.insert(rows.begin() + (toRow - 1), moving);
  for (int row = 1; row <= rowCount(); ++row) {
    for (int column = 1; column <= columnCount(); ++column) {
      SetCell(column, row, rows[static_cast<size_t>(row - 1)][column - 1]);
    }
  }
}

void TStringGrid::OnHeadingMoved(int /*logicalIndex*/, int oldVisualIndex, int newVisualIndex) {
  // The header only shows the move; put it back and move the data itself, so
  // that whoever reads the cells by row number sees the new order. A cell
  // being edited is finished first, as if the user had left it.
  if (const QLineEdit* editor = CellEditor(); editor != nullptr && editor->hasFocus()) {
    item(currentRow(), currentColumn())->setText(editor->text());
    NormalizeCurrentCell();
  }
  {
    const QSignalBlocker blocker(verticalHeader());
    verticalHeader()->moveSection(newVisualIndex, oldVisualIndex);
  }
  MoveDataRow(oldVisualIndex + 1, newVisualIndex + 1);
  emit rowMoved();
}

QLineEdit* TStringGrid::CellEditor() const {
  if (!editorIndex_.isValid()) return nullptr;
  return qobject_cast<QLineEdit*>(indexWidget(editorIndex_));
}

void TStringGrid::OpenEditor(int row, int column) {
  QLineEdit* old = CellEditor();
  const QPersistentModelIndex oldIndex = editorIndex_;
  const bool hadFocus = old != nullptr && old->hasFocus();
  editorIndex_ = QPersistentModelIndex();
  if (row >= 0 && column >= 0) {
    openPersistentEditor(item(row, column));
    editorIndex_ = QPersistentModelIndex(model()->index(row, column));
    // Hand the focus over before the old editor goes, so it never leaves the grid.
    if (QLineEdit* editor = CellEditor()) {
      if (hadFocus || hasFocus()) editor->setFocus(Qt::OtherFocusReason);
    }
  }
  if (oldIndex.isValid() && oldIndex != editorIndex_) {
    if (hadFocus && !CellEditor()) setFocus(Qt::OtherFocusReason);
    closePersistentEditor(item(oldIndex.row(), oldIndex.column()));
  }
}

void TStringGrid::OnCurrentCellChanged(int row, int column, int previousRow, int previousColumn) {
  NormalizeCell(previousRow, previousColumn);
  OpenEditor(row, column);
}

void TStringGrid::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  // Tabbing in lands on the current cell, wherever the list was scrolled.
  if (currentIndex().isValid()) scrollTo(currentIndex());
  if (QLineEdit* editor = CellEditor()) editor->setFocus(event->reason());
}

void TStringGrid::changeEvent(QEvent* event) {
  QTableWidget::changeEvent(event);
  // The editor shows the cell's text in the cell's font.
  if (event->type() == QEvent::FontChange) {
    if (QLineEdit* editor = CellEditor()) {
      if (WholeTextFit* fit = WholeTextFit::Of(editor)) fit->SetBaseFont(font());
    }
  }
}

bool TStringGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CellEditor()) {
    switch (event->type()) {
      case QEvent::KeyPress:
        return HandleEditorKey(static_cast<QKeyEvent*>(event));
      case QEvent::InputMethod:
        if (!static_cast<QInputMethodEvent*>(event)->commitString().isEmpty()) {
          emit characterTyped();
          SelectCurrentCellOnly();
        }
        break;
      case QEvent::MouseButtonPress:
        SelectCurrentCellOnly();
        break;
      case QEvent::FocusIn:
        // The editor always sits on the current cell; the view would make it
        // current again and so drop the cells a mouse drag is selecting.
        return false;
      default:
        break;
    }
  }
  return QTableWidget::eventFilter(watched, event);
}

void TStringGrid::SelectCurrentCellOnly() {
  if (selectionModel()->selectedIndexes().size() > 1) {
    selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
  }
}

bool TStringGrid::HandleEditorKey(QKeyEvent* event) {
  const int key = event->key();
  const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
  if (!event->text().isEmpty() && !tab) emit characterTyped();

  const int row = CurrentRow();
  const int column = CurrentColumn();
  const QLineEdit* editor = CellEditor();
  if (event->matches(QKeySequence::Paste)) {
    PasteClipboard();
    return true;
  }
  // With one cell selected, Ctrl+C and Delete work on the editor's text;
  // Ctrl+C takes the whole cell when none of it is selected.
  const bool block = selectedIndexes().size() > 1;
  if (event->matches(QKeySequence::Copy) && (block || !editor->hasSelectedText())) {
    QGuiApplication::clipboard()->setText(CopyCellBlock(*this));
    return true;
  }
  if (key == Qt::Key_Delete && block) {
    ClearSelectedCells(*this);
    return true;
  }
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Length, count, next row's length, ...; the last row keeps its place.
      NormalizeCurrentCell();
      if (column < columnCount()) {
        SetCurrentCell(column + 1, row);
      } else {
        SetCurrentCell(1, row < rowCount() ? row + 1 : row);
      }
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      NormalizeCurrentCell();
      FocusNextInTabOrder(this, key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
      return true;
    case Qt::Key_Up:
      SetCurrentCell(column, std::max(1, row - 1));
      return true;
    case Qt::Key_Down:
      SetCurrentCell(column, std::min(rowCount(), row + 1));
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      const int page = std::max(1, viewport()->height() / std::max(1, rowHeight(0)) - 1);
      const int target = key == Qt::Key_PageUp ? row - page : row + page;
      SetCurrentCell(column, std::clamp(target, 1, rowCount()));
      return true;
    }
    case Qt::Key_Left:
      if (editor->cursorPosition() == 0 && !editor->hasSelectedText() && column > 1) {
        SetCurrentCell(column - 1, row);
        return true;
      }
      return false;
    case Qt::Key_Right:
      if (editor->cursorPosition() == editor->text().size() && !editor->hasSelectedText() &&
          column < columnCount()) {
        SetCurrentCell(column + 1, row);
        return true;
      }
      return false;
    case Qt::Key_Escape:
      return true;
    default:
      // Typing edits the current cell alone.
      if (!event->text().isEmpty()) SelectCurrentCellOnly();
      return false;
  }
}

}  // namespace yobina
