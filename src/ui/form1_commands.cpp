// The menu and the file, edit, print and help commands of the main window.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
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
#include "ui/form1.h"
#include "ui/qt_input_page.h"
#include "ui/ui_text.h"

// YOBINA_SUPPORT_MAIL and YOBINA_DOWNLOAD_URL come from the build's cache
// variables of the same names.

namespace yobina {
namespace {

QString ForcedQzlName(const QString& chosen) {
  return FromFsPath(ForceQzlExtension(ToFsPath(chosen)));
}

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

void TForm1::Open1Click() {
  const std::optional<QString> chosen =
      dialogs_.ChooseOpenFile(this, openFileName_.isEmpty() ? workFolder_ : openFileName_);
  if (!chosen) return;
  const QString file = ForcedQzlName(*chosen);
  openFileName_ = file;
  if (!LoadJob(ToFsPath(file))) return;
  *savedDocument_ = PageDocument();
  // Save writes back to the file the user opened.
  saveFileName_ = file;
  jobFileName_ = QFileInfo(file).fileName();
  UpdateCaption();
  ForgetStalePlan();
}

void TForm1::Save1Click() {
  if (saveFileName_.isEmpty() || !QFileInfo::exists(ForcedQzlName(saveFileName_))) {
    SaveAs1Click();
    return;
  }
  saveFileName_ = ForcedQzlName(saveFileName_);
  SaveJob(saveFileName_);
}

void TForm1::SaveAs1Click() {
  const std::optional<QString> chosen =
      dialogs_.ChooseSaveFile(this, saveFileName_.isEmpty() ? workFolder_ : saveFileName_);
  if (!chosen) return;
  const QString target = ForcedQzlName(*chosen);
  if (QFileInfo::exists(target) && !dialogs_.ConfirmOkCancel(this, FromUtf8(message::kConfirmOverwrite))) {
    return;  // the remembered name stays: a later Save must not overwrite it unasked
  }
  saveFileName_ = target;
  SaveJob(target);
}

void TForm1::SaveJob(const QString& file) {
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
}

void TForm1::CatMatome1Click() {
  JobDocument document = PageDocument();
  MergeEqualCutLengths(document);
  WriteDocument(document, *page_);
  ForgetStalePlan();
}

void TForm1::CatListSortClick() {
  JobDocument document = PageDocument();
  SortCutList(document);
  WriteDocument(document, *page_);
  ForgetStalePlan();
}

void TForm1::PasteClick() {
  QWidget* focus = focusWidget();
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
  ForgetStalePlan();
}

void TForm1::SpeedButton1Click() {
  ClearMemo();
  LoadJob(BackupFile());
  ForgetStalePlan();
}

void TForm1::BtnPrintClick() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
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
