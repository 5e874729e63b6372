// The menu and the file, edit, print and help commands of the main window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include "app/commands.h"
#include "app/file_names.h"
#include "app/messages.h"
#include "diagram/cutting_diagram.h"
#include "file/data_file.h"
#include "file/page_document.h"
#include "job/job_io.h"
#include "plan/plan_result.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/page_history.h"
#include "ui/qt_input_page.h"
#include "ui/ui_text.h"

// YOBINA_SUPPORT_MAIL and YOBINA_DOWNLOAD_URL come from the build's cache
// variables of the same names.

namespace yobina {
namespace {

QString JobFileNameOf(const QString& chosen) {
  return FromFsPath(JobFileName(ToFsPath(chosen)));
}

constexpr char kLastFolderKey[] = "dialogs/lastFolder";  // in the user's settings

}  // namespace

void MainWindow::BuildMenu() {
  menu_ = BuildMainMenu(menuBar());
  connect(menu_.open, &QAction::triggered, this, &MainWindow::OpenJob);
  connect(menu_.save, &QAction::triggered, this, &MainWindow::SaveJob);
  connect(menu_.saveAs, &QAction::triggered, this, &MainWindow::SaveJobAs);
  connect(menu_.projectPlan, &QAction::triggered, this, &MainWindow::ShowProjectDialog);
  connect(menu_.exit, &QAction::triggered, this, &QWidget::close);
  connect(menu_.mergeCuts, &QAction::triggered, this, &MainWindow::MergeEqualCuts);
  connect(menu_.sortCuts, &QAction::triggered, this, &MainWindow::SortCuts);
  connect(menu_.paste, &QAction::triggered, this, &MainWindow::Paste);
  connect(menu_.mailSupport, &QAction::triggered, this, &MainWindow::MailSupport);
  connect(menu_.download, &QAction::triggered, this, &MainWindow::OpenDownloadPage);
}

QString MainWindow::DialogFolder() const {
  QString folder = lastFolder_;
  if (folder.isEmpty() && settings_ != nullptr)
    folder = settings_->value(QString::fromLatin1(kLastFolderKey)).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void MainWindow::RememberFolder(const QString& file) {
  lastFolder_ = QFileInfo(file).absolutePath();
  if (settings_ != nullptr) settings_->setValue(QString::fromLatin1(kLastFolderKey), lastFolder_);
}

QString MainWindow::JobName() const {
  return jobFileName_.isEmpty() ? QStringLiteral("ヨビナ") : QFileInfo(jobFileName_).completeBaseName();
}

void MainWindow::SuggestPrintName(const QString& name) {
  printer_->setDocName(name);
  // Once printed to a file, the printer keeps that file's name: only its folder stays.
  const QString earlier = printer_->outputFileName();
  if (printer_->outputFormat() == QPrinter::PdfFormat && !earlier.isEmpty()) {
    printer_->setOutputFileName(QFileInfo(earlier).dir().filePath(name + QStringLiteral(".pdf")));
  }
}

void MainWindow::OpenJob() {
  if (!MayDiscardChanges()) return;
  const QString folder = DialogFolder();
  const bool lastOpenedHere = !openFileName_.isEmpty() && QFileInfo(openFileName_).absolutePath() == folder;
  const std::optional<QString> chosen =
      dialogs_.ChooseOpenFile(this, lastOpenedHere ? openFileName_ : folder);
  if (!chosen) return;
  const QString file = JobFileNameOf(*chosen);
  RememberFolder(file);
  openFileName_ = file;
  if (!LoadJob(ToFsPath(file))) return;
  *savedDocument_ = PageDocument();
  history_->Reset();
  // Save writes back to the file the user opened.
  saveFileName_ = file;
  jobFileName_ = QFileInfo(file).fileName();
  UpdateCaption();
  ForgetStalePlan();
}

bool MainWindow::SaveJob() {
  if (saveFileName_.isEmpty() || !QFileInfo::exists(JobFileNameOf(saveFileName_))) return SaveJobAs();
  saveFileName_ = JobFileNameOf(saveFileName_);
  return WriteJob(saveFileName_);
}

bool MainWindow::SaveJobAs() {
  const std::optional<QString> chosen =
      dialogs_.ChooseSaveFile(this, saveFileName_.isEmpty() ? DialogFolder() : saveFileName_);
  if (!chosen) return false;
  const QString target = JobFileNameOf(*chosen);
  RememberFolder(target);
  if (QFileInfo::exists(target) && !dialogs_.ConfirmOkCancel(this, FromUtf8(message::kConfirmOverwrite))) {
    return false;  // the remembered name stays: a later Save must not overwrite it unasked
  }
  saveFileName_ = target;
  return WriteJob(target);
}

bool MainWindow::WriteJob(const QString& file) {
  const JobDocument document = PageDocument();
  bool saved = false;
  Guarded([&] {
    SaveDataFile(document, ToFsPath(file));
    saved = true;
  });
  if (saved) {
    *savedDocument_ = document;
    jobFileName_ = QFileInfo(file).fileName();
    UpdateCaption();
  }
  return saved;
}

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

void MainWindow::ReloadLastRun() {
  if (!MayDiscardChanges()) return;
  ClearReport();
  if (LoadJob(BackupFile())) {
    // The last Run's input is no file's job: a Save must ask where it goes.
    *savedDocument_ = PageDocument();
    history_->Reset();
    saveFileName_.clear();
    jobFileName_.clear();
  }
  UpdateCaption();
  ForgetStalePlan();
}

void MainWindow::PrintResults() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SuggestPrintName(JobName());
  const std::unique_ptr<PrintDevice> device = dialogs_.ChoosePrinter(this, *printer_);
  if (!device) return;
  // The plan of the job on the page; without one, the page's job with no plan.
  const JobDocument now = PageDocument();
  const PlanResult* current = CurrentResultFor(now);
  Guarded([&] { PrintReport(current != nullptr ? *current : ResultWithoutPlan(now), *device); });
}

void MainWindow::PrintDiagrams() {
  const PlanResult* current = CurrentResult();
  if (current == nullptr || !current->Plan.HasPatterns()) return;
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SuggestPrintName(JobName() + QStringLiteral(" 切断図"));
  const std::unique_ptr<PrintDevice> device = dialogs_.ChoosePrinter(this, *printer_);
  if (!device) return;
  Guarded([&] { PrintCuttingDiagrams(*current, *device); });
}

void MainWindow::MailSupport() {
  dialogs_.OpenUrl(QUrl(QStringLiteral("mailto:" YOBINA_SUPPORT_MAIL)));
}

void MainWindow::OpenDownloadPage() {
  dialogs_.OpenUrl(QUrl(QStringLiteral(YOBINA_DOWNLOAD_URL)));
}

}  // namespace yobina
