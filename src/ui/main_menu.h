// The main window's menu bar: ファイル, 編集 and ヘルプ with their items in
// order, captions, access keys, shortcuts and object names. The window
// connects the actions to its commands.
#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace yobina {

struct MainMenu {
  QMenu* file = nullptr;      // File1
  QAction* newJob = nullptr;  // 新規
  QAction* open = nullptr;
  QAction* save = nullptr;
  QAction* saveAs = nullptr;
  QAction* print = nullptr;        // 印刷, as the 印 刷 button
  QAction* printLabels = nullptr;  // ラベル印刷: a label a piece for the saw, and one an offcut
  QAction* projectPlan = nullptr;  // 一括計画
  QAction* exit = nullptr;

  QMenu* edit = nullptr;  // Edit1
  QAction* undo = nullptr;
  QAction* redo = nullptr;
  QAction* mergeCuts = nullptr;  // 同長切断材をまとめる
  QAction* sortCuts = nullptr;
  QAction* paste = nullptr;
  QAction* optimize = nullptr;  // 最適化, as the 最 適 化 button

  QMenu* help = nullptr;  // Help1
  QAction* mailSupport = nullptr;
  QAction* download = nullptr;
};

// Fills `bar`, which keeps the desktop's own font.
MainMenu BuildMainMenu(QMenuBar* bar);

}  // namespace yobina
