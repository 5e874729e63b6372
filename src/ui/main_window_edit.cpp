// The 編集 menu's commands on the lists: 同長切断材をまとめる, 切断リストのソート
// and 貼り付け, each one step the user can undo.
#include <QLineEdit>

#include "file/page_document.h"
#include "job/job_io.h"
#include "ui/main_window.h"
#include "ui/page_history.h"
#include "ui/qt_input_page.h"

namespace yobina {

void MainWindow::MergeEqualCuts() {
  history_->Step([this] {
    JobDocument document = PageDocument();
    MergeEqualCutLengths(document);
    WriteDocument(document, *page_);
  });
  UpdateCaption();
  ForgetStalePlan();
}

void MainWindow::SortCuts() {
  history_->Step([this] {
    JobDocument document = PageDocument();
    SortCutList(document);
    WriteDocument(document, *page_);
  });
  UpdateCaption();
  ForgetStalePlan();
}

void MainWindow::Paste() {
  QWidget* focus = focusWidget();
  history_->Step([&] {
    bool pasted = false;
    for (TStringGrid* grid : {input_.stockGrid, input_.cutGrid}) {
      if (!pasted && focus != nullptr && (focus == grid || grid->isAncestorOf(focus))) {
        grid->PasteClipboard();
        pasted = true;
      }
    }
    if (auto* edit = qobject_cast<QLineEdit*>(focus); !pasted && edit != nullptr && !edit->isReadOnly()) {
      edit->paste();
    }
  });
  ForgetStalePlan();
}

}  // namespace yobina
