#include "ui/main_menu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace yobina {
namespace {

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption) {
  QMenu* menu = bar->addMenu(caption);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

MainMenu BuildMainMenu(QMenuBar* bar) {
  bar->setObjectName(QStringLiteral("MainMenu1"));
  bar->setFont(QApplication::font());
  MainMenu m;

  m.file = AddMenu(bar, "File1", QStringLiteral("ファイル(&F)"));
  m.newJob = AddItem(m.file, "New1", QStringLiteral("新規(&N)"));
  m.newJob->setShortcut(QKeySequence::New);
  m.open = AddItem(m.file, "Open1", QStringLiteral("開く(&O)"));
  m.open->setShortcut(QKeySequence::Open);
  m.save = AddItem(m.file, "Save1", QStringLiteral("上書き保存(&S)"));
  m.save->setShortcut(QKeySequence::Save);
  m.saveAs = AddItem(m.file, "SaveAs1", QStringLiteral("名前を付けて保存(&A)"));
  // Some desktops bind no key to SaveAs: Ctrl+Shift+S, as most do.
  m.saveAs->setShortcuts(QKeySequence::SaveAs);
  if (m.saveAs->shortcuts().isEmpty())
    m.saveAs->setShortcut(QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_S));
  m.print = AddItem(m.file, "Print1", QStringLiteral("印刷(&P)…"));
  m.print->setShortcut(QKeySequence::Print);
  m.printLabels = AddItem(m.file, "PrintLabels1", QStringLiteral("ラベル印刷(&L)…"));
  m.projectPlan = AddItem(m.file, "ProjectPlan1", QStringLiteral("一括計画(&B)…"));
  m.file->addSeparator()->setObjectName(QStringLiteral("N2"));
  m.exit = AddItem(m.file, "Exit1", QStringLiteral("終了(&X)"));

  m.edit = AddMenu(bar, "Edit1", QStringLiteral("編集(&E)"));
  m.undo = AddItem(m.edit, "EditUndo", QStringLiteral("元に戻す(&U)"));
  m.undo->setShortcut(QKeySequence::Undo);
  m.redo = AddItem(m.edit, "EditRedo", QStringLiteral("やり直し(&R)"));
  m.redo->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                        QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
  for (QAction* action : {m.undo, m.redo}) action->setShortcutContext(Qt::WindowShortcut);
  m.edit->addSeparator();
  m.mergeCuts = AddItem(m.edit, "CatMatome1", QStringLiteral("同長切断材をまとめる"));
  m.sortCuts = AddItem(m.edit, "CatListSort", QStringLiteral("切断リストのソート"));
  m.edit->addSeparator();
  m.paste = AddItem(m.edit, "EditPaste", QStringLiteral("貼り付け(&P)"));
  m.paste->setShortcut(QKeySequence::Paste);  // an edit with the focus takes Ctrl+V first
  m.edit->addSeparator();
  m.optimize = AddItem(m.edit, "Exact1", QStringLiteral("最適化(&O)"));

  m.help = AddMenu(bar, "Help1", QStringLiteral("ヘルプ(&H)"));
  m.mailSupport = AddItem(m.help, "SendMailMe", QStringLiteral("メールで問合せる"));
  m.download = AddItem(m.help, "DownLoad", QStringLiteral("最新のダウンロード"));
  return m;
}

}  // namespace yobina
