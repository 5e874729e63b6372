#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

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
  QMessageBox::critical(parent, QStringLiteral("エラー"), text);
}

void QtDialogs::ShowInformation(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QStringLiteral("情報"), text);
}

bool QtDialogs::ConfirmOkCancel(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, QStringLiteral("確認"), text, QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
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
