// The menu's commands connected, and the ヘルプ menu's links.
#include <QAction>
#include <QUrl>

#include "ui/dialogs.h"
#include "ui/main_window.h"

// YOBINA_SUPPORT_MAIL and YOBINA_DOWNLOAD_URL come from the build's cache
// variables of the same names.

namespace yobina {

void MainWindow::BuildMenu() {
  menu_ = BuildMainMenu(menuBar());
  // Their shortcuts reach them while a planner works, when the menu bar is disabled: they wait.
  const auto unlessRunning = [this](void (MainWindow::*command)()) {
    return [this, command] {
      if (!running_) (this->*command)();
    };
  };
  connect(menu_.newJob, &QAction::triggered, this, unlessRunning(&MainWindow::NewJob));
  connect(menu_.open, &QAction::triggered, this, unlessRunning(&MainWindow::OpenJob));
  connect(menu_.save, &QAction::triggered, this, [this] {
    if (!running_) SaveJob();
  });
  connect(menu_.saveAs, &QAction::triggered, this, [this] {
    if (!running_) SaveJobAs();
  });
  connect(menu_.print, &QAction::triggered, this, unlessRunning(&MainWindow::PrintResults));
  connect(menu_.printLabels, &QAction::triggered, this, unlessRunning(&MainWindow::PrintPieceLabels));
  connect(menu_.projectPlan, &QAction::triggered, this, &MainWindow::ShowProjectDialog);
  connect(menu_.exit, &QAction::triggered, this, &QWidget::close);
  connect(menu_.mergeCuts, &QAction::triggered, this, &MainWindow::MergeEqualCuts);
  connect(menu_.sortCuts, &QAction::triggered, this, &MainWindow::SortCuts);
  connect(menu_.paste, &QAction::triggered, this, &MainWindow::Paste);
  connect(menu_.mailSupport, &QAction::triggered, this, &MainWindow::MailSupport);
  connect(menu_.download, &QAction::triggered, this, &MainWindow::OpenDownloadPage);
}

void MainWindow::MailSupport() {
  dialogs_.OpenUrl(QUrl(QStringLiteral("mailto:" YOBINA_SUPPORT_MAIL)));
}

void MainWindow::OpenDownloadPage() {
  dialogs_.OpenUrl(QUrl(QStringLiteral(YOBINA_DOWNLOAD_URL)));
}

}  // namespace yobina
