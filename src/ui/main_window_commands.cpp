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

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

void TForm1::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  bar->setFont(QApplication::font());  // menus keep the desktop's own font

  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  file->setObjectName(QStringLiteral("File1"));
  connect(AddItem(file, "Open1", QStringLiteral("開く(&O)")), &QAction::triggered, this, &TForm1::Open1Click);
  connect(AddItem(file, "Save1", QStringLiteral("上書き保存(&S)")), &QAction::triggered, this,
          &TForm1::Save1Click);
  connect(AddItem(file, "SaveAs1", QStringLiteral("名前を付けて保存(&A)")), &QAction::triggered, this,
          &TForm1::SaveAs1Click);
  connect(AddItem(file, "ProjectPlan1", QStringLiteral("一括計画(&B)…")), &QAction::triggered, this,
          &TForm1::ProjectPlanClick);
  file->addSeparator()->setObjectName(QStringLiteral("N2"));
  connect(AddItem(file, "Exit1", QStringLiteral("終了(&X)")), &QAction::triggered, this, &QWidget::close);

  QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
  edit->setObjectName(QStringLiteral("Edit1"));
  connect(AddItem(edit, "CatMatome1", QStringLiteral("同長切断材をまとめる")), &QAction::triggered, this,
          &TForm1::CatMatome1Click);
  connect(AddItem(edit, "CatListSort", QStringLiteral("切断リストのソート")), &QAction::triggered, this,
          &TForm1::CatListSortClick);
  edit->addSeparator();
  QAction* paste = AddItem(edit, "EditPaste", QStringLiteral("貼り付け(&P)"));
  paste->setShortcut(QKeySequence::Paste);  // an edit with the focus takes Ctrl+V first
  connect(paste, &QAction::triggered, this, &TForm1::PasteClick);

  QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("Help1"));
  connect(AddItem(help, "SendMailMe", QStringLiteral("メールで問合せる")), &QAction::triggered, this,
          &TForm1::SendMailMeClick);
  connect(AddItem(help, "DownLoad", QStringLiteral("最新のダウンロード")), &QAction::triggered, this,
          &TForm1::DownLoadClick);
}

QString TForm1::DialogFolder() const {
  QString folder = lastFolder_;
  if (folder.isEmpty() && settings_ != nullptr)
    folder = settings_->value(QString::fromLatin1(kLastFolderKey)).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void TForm1::RememberFolder(const QString& file) {
  lastFolder_ = QFileInfo(file).absolutePath();
  if (settings_ != nullptr) settings_->setValue(QString::fromLatin1(kLastFolderKey), lastFolder_);
}

QString TForm1::JobName() const {
  return jobFileName_.isEmpty() ? QStringLiteral("ヨビナ") : QFileInfo(jobFileName_).completeBaseName();
}

void TForm1::SuggestPrintName(const QString& name) {
  printer_->setDocName(name);
  // Once printed to a file, the printer keeps that file's name: only its folder stays.
  const QString earlier = printer_->outputFileName();
  if (printer_->outputFormat() == QPrinter::PdfFormat && !earlier.isEmpty()) {
    printer_->setOutputFileName(QFileInfo(earlier).dir().filePath(name + QStringLiteral(".pdf")));
  }
}

void TForm1::Open1Click() {
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

void TForm1::Save1Click() {
  SaveToJobFile();
}

void TForm1::SaveAs1Click() {
  SaveToChosenFile();
}

bool TForm1::SaveToJobFile() {
  if (saveFileName_.isEmpty() || !QFileInfo::exists(JobFileNameOf(saveFileName_))) return SaveToChosenFile();
  saveFileName_ = JobFileNameOf(saveFileName_);
  return SaveJob(saveFileName_);
}

bool TForm1::SaveToChosenFile() {
  const std::optional<QString> chosen =
      dialogs_.ChooseSaveFile(this, saveFileName_.isEmpty() ? DialogFolder() : saveFileName_);
  if (!chosen) return false;
  const QString target = JobFileNameOf(*chosen);
  RememberFolder(target);
  if (QFileInfo::exists(target) && !dialogs_.ConfirmOkCancel(this, FromUtf8(message::kConfirmOverwrite))) {
    return false;  // the remembered name stays: a later Save must not overwrite it unasked
  }
  saveFileName_ = target;
  return SaveJob(target);
}

bool TForm1::SaveJob(const QString& file) {
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

void TForm1::CatMatome1Click() {
  history_->Step([this] {
    JobDocument document = PageDocument();
    MergeEqualCutLengths(document);
    WriteDocument(document, *page_);
  });
  UpdateCaption();
  ForgetStalePlan();
}

void TForm1::CatListSortClick() {
  history_->Step([this] {
    JobDocument document = PageDocument();
    SortCutList(document);
    WriteDocument(document, *page_);
  });
  UpdateCaption();
  ForgetStalePlan();
}

void TForm1::PasteClick() {
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

void TForm1::SpeedButton1Click() {
  if (!MayDiscardChanges()) return;
  ClearMemo();
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

void TForm1::BtnPrintClick() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SuggestPrintName(JobName());
  const std::unique_ptr<PrintDevice> device = dialogs_.ChoosePrinter(this, *printer_);
  if (!device) return;
  // The plan of the job on the page; without one, the page's job with no plan.
  const JobDocument now = PageDocument();
  const PlanResult* current = CurrentResultFor(now);
  Guarded([&] { PrintReport(current != nullptr ? *current : ResultWithoutPlan(now), *device); });
}

void TForm1::BtnDiagramPrintClick() {
  const PlanResult* current = CurrentResult();
  if (current == nullptr || !current->Plan.HasPatterns()) return;
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SuggestPrintName(JobName() + QStringLiteral(" 切断図"));
  const std::unique_ptr<PrintDevice> device = dialogs_.ChoosePrinter(this, *printer_);
  if (!device) return;
  Guarded([&] { PrintCuttingDiagrams(*current, *device); });
}

void TForm1::SendMailMeClick() {
  dialogs_.OpenUrl(QUrl(QStringLiteral("mailto:" YOBINA_SUPPORT_MAIL)));
}

void TForm1::DownLoadClick() {
  dialogs_.OpenUrl(QUrl(QStringLiteral(YOBINA_DOWNLOAD_URL)));
}

}  // namespace yobina
