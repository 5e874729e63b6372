#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <utility>

#include "print/qt_print_device.h"
#include "ui/dialogs.h"

namespace yobina {
namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const QString& start, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  // A name that does not exist still reaches the loader, which reports it.
  dialog.setFileMode(QFileDialog::AnyFile);
  // The save command asks its own overwrite question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(QStringLiteral("ヨビナデータ(*.qzl)"));
  // A name typed without an extension becomes a .QZL file; match the pattern in any letter case.
  dialog.setDefaultSuffix(QStringLiteral("QZL"));
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  const QFileInfo startInfo(start);
  if (startInfo.isDir()) {
    dialog.setDirectory(start);
  } else {
    dialog.setDirectory(startInfo.absolutePath());
    dialog.selectFile(startInfo.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

// A message box whose buttons read in Japanese even where Qt's translation is missing.
QMessageBox::StandardButton RunMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                          const QString& text, QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, title, text, buttons, parent);
  box.setDefaultButton(defaultButton);
  const std::pair<QMessageBox::StandardButton, const char*> captions[] = {{QMessageBox::Ok, "OK"},
                                                                          {QMessageBox::Cancel, "キャンセル"},
                                                                          {QMessageBox::Yes, "はい"},
                                                                          {QMessageBox::No, "いいえ"}};
  for (const auto& [button, caption] : captions) {
    if (QAbstractButton* shown = box.button(button)) shown->setText(QString::fromUtf8(caption));
  }
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

std::optional<QString> QtDialogs::ChooseOpenFile(QWidget* parent, const QString& start) {
  return RunFileDialog(parent, start, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::ChooseSaveFile(QWidget* parent, const QString& start) {
  return RunFileDialog(parent, start, QFileDialog::AcceptSave);
}

std::unique_ptr<PrintDevice> QtDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return std::make_unique<QtPrintDevice>(printer);
}

void QtDialogs::ShowError(QWidget* parent, const QString& text) {
  RunMessageBox(parent, QMessageBox::Critical, QStringLiteral("エラー"), text, QMessageBox::Ok,
                QMessageBox::Ok);
}

void QtDialogs::ShowInformation(QWidget* parent, const QString& text) {
  RunMessageBox(parent, QMessageBox::Information, QStringLiteral("情報"), text, QMessageBox::Ok,
                QMessageBox::Ok);
}

bool QtDialogs::ConfirmOkCancel(QWidget* parent, const QString& text) {
  return RunMessageBox(parent, QMessageBox::Question, QStringLiteral("確認"), text,
                       QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

Dialogs::SaveAnswer QtDialogs::AskToSaveChanges(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::NoButton, parent);
  QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return SaveAnswer::Save;
  if (box.clickedButton() == discard) return SaveAnswer::Discard;
  return SaveAnswer::Cancel;
}

void QtDialogs::OpenUrl(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

}  // namespace yobina
