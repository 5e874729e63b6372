#include <QApplication>
#include <QSettings>
#include <csignal>

#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/qt_translations.h"

int main(int argc, char* argv[]) {
  // Past a file size limit a save fails with its message instead of killing the window.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("yobina"));
  QGuiApplication::setDesktopFileName(QStringLiteral("yobina"));
  yobina::InstallJapaneseQtTranslation(application);
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("yobina"),
                     QStringLiteral("yobina"));
  yobina::QtDialogs dialogs;
  yobina::MainWindow form({QCoreApplication::applicationDirPath(), &dialogs, &settings});
  form.show();
  return QApplication::exec();
}
