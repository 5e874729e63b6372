#include "ui/cell_delegate.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

#include "ui/cp932_validator.h"
#include "ui/string_grid.h"
#include "ui/whole_text.h"

namespace yobina {

CellDelegate::CellDelegate(TStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  editor->setFont(grid_->font());
  new WholeTextFit(editor, grid_->font());
  const bool number = grid_->FormatCode(index.column() + 1) != 0;
  editor->setValidator(
      new Cp932Validator(editor, -1, number ? Cp932Validator::Kind::Number : Cp932Validator::Kind::Text));
  // Clicks reach it; the Tab key stops at the grid, not here.
  editor->setFocusPolicy(Qt::ClickFocus);
  auto* self = const_cast<CellDelegate*>(this);  // Qt hands out editors from a const call
  connect(editor, &QLineEdit::textEdited, self, [self, editor] { emit self->commitData(editor); });
  editor->installEventFilter(grid_);
  return editor;
}

// A text wider than the cell's usual room takes the margins too, and then a
// smaller font: the whole number shows, never an ellipsis.
void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QWidget* view = cell.widget;
  const QStyle* style = view != nullptr ? view->style() : QApplication::style();
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
  const QString text = cell.text;
  if (cell.fontMetrics.horizontalAdvance(text) <= cell.rect.width() - 2 * margin) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  cell.text.clear();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
  const QRect room = cell.rect.adjusted(1, 0, -1, 0);
  painter->save();
  painter->setFont(FontToFit(cell.font, text, room.width()));
  const bool selected = cell.state & QStyle::State_Selected;
  painter->setPen(cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  painter->restore();
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* line = static_cast<QLineEdit*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  if (line->text() == text) return;
  // The program's text, not the user's: kept exactly as the cell holds it.
  if (auto* validator = qobject_cast<const Cp932Validator*>(line->validator())) {
    const_cast<Cp932Validator*>(validator)->SetTextAsProgram(text);
  } else {
    line->setText(text);
  }
}

}  // namespace yobina
