// Opening and saving the job: 開く, 上書き保存 and 名前を付けて保存, the
// reload of the last Run's job, and the question about unsaved changes before
// any of them replaces the job on the page.
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "app/file_names.h"
#include "app/messages.h"
#include "file/data_file.h"
#include "file/page_document.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/page_history.h"
#include "ui/qt_input_page.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

QString JobFileNameOf(const QString& chosen) {
  return FromFsPath(JobFileName(ToFsPath(chosen)));
}

constexpr char kLastFolderKey[] = "dialogs/lastFolder";  // in the user's settings

}  // namespace

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

QString MainWindow::LoadJobFile(const std::filesystem::path& file) {
  try {
    if (LoadDataFile(*page_, file) == LoadResult::WrongVersion) return FromUtf8(message::kWrongVersion);
  } catch (const std::exception& error) {
    return FromUtf8(error.what());
  }
  // A new job starts at the top of its lists.
  for (TStringGrid* grid : {input_.stockGrid, input_.cutGrid}) {
    grid->SetCurrentCell(1, 1);
    grid->scrollToTop();
  }
  return {};
}

bool MainWindow::LoadJob(const std::filesystem::path& file) {
  const QString error = LoadJobFile(file);
  if (!error.isEmpty()) dialogs_.ShowError(this, error);
  return error.isEmpty();
}

bool MainWindow::MayDiscardChanges() {
  if (!HasUnsavedChanges()) return true;
  switch (dialogs_.AskToSaveChanges(this, FromUtf8(message::kSaveChanges))) {
    case Dialogs::SaveAnswer::Save:
      return SaveJob();
    case Dialogs::SaveAnswer::Discard:
      return true;
    case Dialogs::SaveAnswer::Cancel:
      break;
  }
  return false;
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

void MainWindow::NewJob() {
  if (running_ || !MayDiscardChanges()) return;
  JobDocument empty = *emptyDocument_;
  empty.OffcutMin = PageDocument().OffcutMin;  // a setting, not part of the job
  WriteDocument(empty, *page_);
  *savedDocument_ = PageDocument();
  history_->Reset();
  saveFileName_.clear();
  jobFileName_.clear();
  UpdateCaption();
  ForgetStalePlan();
  tabs_->setCurrentWidget(inputSheet_);
  input_.year->setFocus(Qt::OtherFocusReason);
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

}  // namespace yobina
