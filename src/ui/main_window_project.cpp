// The main window's side of 一括計画: the dialog, and a section's job opened from it.
#include <QFileInfo>
#include <QTabWidget>

#include "file/page_document.h"
#include "plan/plan_result.h"
#include "ui/main_window.h"
#include "ui/project_dialog.h"
#include "ui/qt_input_page.h"

namespace yobina {

void MainWindow::ShowProjectDialog() {
  if (!projectDialog_) {
    projectDialog_ =
        new ProjectDialog(this, dialogs_, workFolder_, [this](const PlanResult& plan, const QString& file) {
          if (!OpenPlannedJob(plan, file)) return;
          raise();
          activateWindow();
        });
  }
  projectDialog_->show();
  projectDialog_->raise();
  projectDialog_->activateWindow();
}

bool MainWindow::OpenPlannedJob(const PlanResult& plan, const QString& file) {
  if (running_ || !MayDiscardChanges()) return false;
  // The date fields stay empty, and an empty date field left by the focus
  // would read as 0 and mark the job changed; the lists take the focus.
  input_.stockGrid->setFocus(Qt::OtherFocusReason);
  WriteDocument(plan.Document, *page_);
  *savedDocument_ = PageDocument();
  saveFileName_ = file;
  openFileName_ = file.isEmpty() ? openFileName_ : file;
  jobFileName_ = file.isEmpty() ? QString() : QFileInfo(file).fileName();
  lastResult_ = std::make_unique<PlanResult>(plan);
  // The page holds the plan's job; its fields as the page reads them, so that the plan stays current.
  lastResult_->Document = *savedDocument_;
  UpdateCaption();
  ShowCurrentPlan();
  ShowLossRate(CurrentResult());  // the section's own figure, not the last Run's
  tabs_->setCurrentWidget(inputSheet_);
  return true;
}

}  // namespace yobina
