// How a string grid's data cells are edited and drawn: the editor is a
// frameless line edit that writes every change straight into the cell, so
// the cell always holds what the user sees; a number too wide for its cell is
// drawn whole in a smaller font.
#pragma once

#include <QStyledItemDelegate>

namespace yobina {

class TStringGrid;

class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(TStringGrid* grid);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;

 protected:
  // The grid handles the editor's keys itself.
  bool eventFilter(QObject* /*watched*/, QEvent* /*event*/) override { return false; }

 private:
  TStringGrid* grid_;
};

}  // namespace yobina
