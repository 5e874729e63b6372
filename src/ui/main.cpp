#include <QApplication>

#include "ui/dialogs.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("yobina"));
  QGuiApplication::setDesktopFileName(QStringLiteral("yobina"));
  yobina::QtDialogs dialogs;
  yobina::TForm1 form({QCoreApplication::applicationDirPath(), &dialogs});
  form.show();
  return QApplication::exec();
}
