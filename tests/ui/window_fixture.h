// Builds the main window over a temporary program folder and finds its
// elements by object name, as a user finds them by sight.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string_view>

#include "fake_dialogs.h"
#include "job/page_elements.h"
#include "ui/edit_field.h"
#include "ui/input_page_widgets.h"
#include "ui/main_window.h"
#include "ui/radio_group.h"
#include "ui/string_grid.h"

namespace yobina::test {

// Types text key by key; QTest only types Latin-1, so other characters come as
// key presses that carry their text, as a keyboard layout delivers them.
inline void TypeText(QWidget* widget, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar character = text[i];
    if (character.unicode() < 0x80) {
      QTest::keyClick(widget, character.toLatin1());
      continue;
    }
    const QString one = character.isHighSurrogate() ? text.mid(i++, 2) : QString(character);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, one);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, one);
    QApplication::sendEvent(widget, &release);
  }
}

// The user's settings (the minimum offcut length) and data (the offcut
// inventory) go to folders of the test process's own, before the first window
// reads them: the tests neither see nor change the user's.
inline void IsolateUserFolders() {
  static const QTemporaryDir folders;
  static const bool isolated = [] {
    qputenv("XDG_CONFIG_HOME", (folders.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (folders.path() + "/data").toLocal8Bit());
    return true;
  }();
  (void)isolated;
}

// The object name of a field of the page: its key.
inline QString NameOf(FieldId id) {
  return ElementName(ElementOf(id).Key);
}

struct WindowFixture {
  std::unique_ptr<QTemporaryDir> folderOwner = std::make_unique<QTemporaryDir>();
  QTemporaryDir& Folder() const { return *folderOwner; }
  FakeDialogs dialogs;
  std::unique_ptr<MainWindow> window;

  // A new program folder for the next window: no backup in it.
  void FreshFolder() {
    window.reset();
    folderOwner = std::make_unique<QTemporaryDir>();
  }

  // Opens the window (and shows it, so focus and key events behave as on screen).
  MainWindow& Open() {
    IsolateUserFolders();
    window = std::make_unique<MainWindow>(WindowSetup{folderOwner->path(), &dialogs});
    window->show();
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get());
    QTest::qWait(1);  // lets the start-up message through
    return *window;
  }

  // A new window over a new program folder, with the dialogs it showed at start-up forgotten.
  MainWindow& OpenFresh() {
    FreshFolder();
    dialogs = FakeDialogs();
    MainWindow& opened = Open();
    dialogs.shown.clear();
    return opened;
  }

  // Clicks 実 行 and waits for the Run, which works on a thread of its own.
  void RunAndWait() const {
    QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->IsRunning(), 20000);
  }

  template <typename Widget>
  Widget* Find(std::string_view name) const {
    return window->findChild<Widget*>(ElementName(name));
  }
  // The page's elements by their ids in the element table, found by their keys.
  TEditField* Field(FieldId id) const { return Find<TEditField>(ElementOf(id).Key); }
  TStringGrid* Grid(GridId id) const { return Find<TStringGrid>(KeyOf(id)); }
  TRadioGroup* TrialCount() const { return Find<TRadioGroup>(kTrialCountElement.Key); }
  QPlainTextEdit* Memo() const { return Find<QPlainTextEdit>("Memo1"); }
  QString Label(const char* name) const { return Find<QLabel>(name)->text(); }

  // Types into a data cell through its editor, as a user does.
  void TypeIntoCell(TStringGrid* grid, int column, int row, const QString& text) const {
    grid->SetCurrentCell(column, row);
    grid->setFocus();
    TypeText(grid->CellEditor(), text);
  }
  void FillRows(GridId id, const std::vector<std::pair<QString, QString>>& rows) const {
    TStringGrid* grid = Grid(id);
    for (size_t i = 0; i < rows.size(); ++i) {
      grid->SetCell(1, static_cast<int>(i) + 1, rows[i].first);
      grid->SetCell(2, static_cast<int>(i) + 1, rows[i].second);
    }
  }
  void Trigger(const char* actionName) const {
    window->findChild<QAction*>(QString::fromLatin1(actionName))->trigger();
  }
};

}  // namespace yobina::test
