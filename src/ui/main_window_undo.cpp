// Undo and redo of the input page: the 編集 menu's 元に戻す and やり直し with
// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, which the window takes before a line
// editor's own undo would.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>

#include "file/page_document.h"
#include "ui/main_window.h"
#include "ui/page_history.h"
#include "ui/qt_input_page.h"

namespace yobina {
namespace {

// A line editor takes Ctrl+Z for its own undo, which knows nothing of the
// page's other elements: inside the window the key goes to the window's actions.
class UndoKeyFilter : public QObject {
 public:
  explicit UndoKeyFilter(QWidget* window) : QObject(window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !window_->isAncestorOf(widget)) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // Not accepted: the shortcut goes to the action.
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           key->keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
  }

 private:
  QWidget* window_;
};

}  // namespace

void MainWindow::BuildUndo() {
  // The minimum offcut is a setting, not an edit of the job: the history neither sees nor restores it.
  const auto readPage = [this] {
    JobDocument document = PageDocument();
    document.OffcutMin = 0;
    return document;
  };
  history_ = new PageHistory(
      readPage, [this](const JobDocument& document) { WriteDocument(document, *page_); }, this);
  connect(history_, &PageHistory::restored, this, [this] {
    UpdateCaption();
    ShowCurrentPlan();
  });

  const auto enable = [this] {
    menu_.undo->setEnabled(history_->CanUndo());
    menu_.redo->setEnabled(history_->CanRedo());
  };
  enable();
  connect(history_, &PageHistory::stateChanged, this, enable);
  // The input page comes to the front: what changed is seen.
  connect(menu_.undo, &QAction::triggered, this, [this] {
    if (running_ || !history_->CanUndo()) return;
    tabs_->setCurrentWidget(inputSheet_);
    history_->Undo();
  });
  connect(menu_.redo, &QAction::triggered, this, [this] {
    if (running_ || !history_->CanRedo()) return;
    tabs_->setCurrentWidget(inputSheet_);
    history_->Redo();
  });
  undoKeys_ = new UndoKeyFilter(this);
  qApp->installEventFilter(undoKeys_);
  // Typing into a cell or field is one step until the focus leaves it.
  connect(qApp, &QApplication::focusChanged, history_, &PageHistory::Settle);
}

}  // namespace yobina
