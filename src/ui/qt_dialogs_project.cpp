// The file choices of ファイル → 一括計画….
#include <QFileDialog>
#include <QFileInfo>

#include "ui/dialogs.h"

namespace yobina {

std::optional<QString> QtDialogs::ChooseCsvFile(QWidget* parent, const QString& start) {
  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QStringLiteral("CSV (*.csv *.CSV)"), QStringLiteral("すべてのファイル (*)")});
  const QFileInfo startInfo(start);
  dialog.setDirectory(startInfo.isDir() ? start : startInfo.absolutePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> QtDialogs::ChooseFolder(QWidget* parent, const QString& start) {
  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setDirectory(start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace yobina
