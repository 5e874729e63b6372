// The window as a desktop program: Qt's texts in Japanese, undo and redo of
// the input page, a window that grows, and file and print dialogs that start
// where the user works.
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QToolButton>

#include "ui/qt_translations.h"
#include "window_fixture.h"

namespace yobina::test {

class DesktopTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;

  QString Title() const { return f_.window->windowTitle(); }
  void Undo() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier); }

 private slots:
  void init() { f_.OpenFresh(); }
  void cleanup() { f_.window.reset(); }

  void QtsOwnButtonsAreJapanese() {
    QVERIFY(InstallJapaneseQtTranslation(*QApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString("キャンセル"));
    QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text(), QString("はい(&Y)"));
  }

  void UndoTakesBackAPasteAndAClrAndRedoRepeatsThem() {
    TStringGrid* grid = f_.Grid(GridId::Stock);
    grid->SetCurrentCell(1, 1);
    grid->setFocus();
    f_.dialogs.saveAnswers = {f_.Folder().filePath("saved.QZL")};
    f_.Trigger("SaveAs1");
    QGuiApplication::clipboard()->setText("6000\t30\n7000\t10\n");
    f_.Trigger("EditPaste");
    QCOMPARE(grid->Cell(1, 2).trimmed(), QString("7000"));
    QVERIFY(Title().endsWith(" *"));
    QTest::mouseClick(f_.Find<QToolButton>("btnClr1"), Qt::LeftButton);
    QCOMPARE(grid->Cell(1, 1), QString());

    grid->setFocus();  // the cell editor has the focus: the window's undo comes first
    Undo();
    QCOMPARE(grid->Cell(1, 1).trimmed(), QString("6000"));
    QCOMPARE(grid->Cell(2, 2).trimmed(), QString("10"));
    Undo();
    QCOMPARE(grid->Cell(1, 1), QString());
    QVERIFY2(!Title().endsWith(" *"), qPrintable(Title()));  // back to the job as saved

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(grid->Cell(1, 2).trimmed(), QString("7000"));
    QVERIFY(Title().endsWith(" *"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(grid->Cell(1, 1), QString());
  }

  void TypingIntoOneCellIsOneStepAndAFieldsUndoIsTheWindows() {
    f_.TypeIntoCell(f_.Grid(GridId::Cut), 1, 1, "2300");
    f_.Field(FieldId::MemberName)->setFocus();
    TypeText(f_.Field(FieldId::MemberName), "H-200");
    f_.TypeIntoCell(f_.Grid(GridId::Cut), 1, 1, "5");
    Undo();
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1).trimmed(), QString("2300"));
    QCOMPARE(f_.Grid(GridId::Cut)->CellEditor()->text().trimmed(),
             QString("2300"));  // typing goes on from there
    f_.Field(FieldId::MemberName)->setFocus();
    Undo();
    QCOMPARE(f_.Field(FieldId::MemberName)->text(), QString());
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1).trimmed(), QString("2300"));
    Undo();
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1), QString());
  }

  void UndoingAnEditAfterARunBringsThePlanBack() {
    f_.FillRows(GridId::Stock, {{"6000", "30"}});
    f_.FillRows(GridId::Cut, {{"2300", "7"}});
    f_.RunAndWait();
    const QString report = f_.Memo()->toPlainText();
    QVERIFY(!report.isEmpty());
    f_.window->Tabs()->setCurrentIndex(0);
    f_.TypeIntoCell(f_.Grid(GridId::Cut), 2, 1, "9");
    QTest::qWait(1);
    QCOMPARE(f_.window->CurrentResult(), nullptr);
    Undo();
    QVERIFY(f_.window->CurrentResult() != nullptr);
    QCOMPARE(f_.Memo()->toPlainText(), report);

    // Redo after the Run's tidying of the page brings the edit back as typed.
    f_.Grid(GridId::Cut)->SetCell(2, 3, "1");
    f_.TypeIntoCell(f_.Grid(GridId::Cut), 1, 3, "1000");
    f_.RunAndWait();
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 2).trimmed(), QString("1000"));  // the Run closed the gap
    Undo();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(f_.window->CurrentResult() != nullptr);
  }

  void OpeningAJobStartsANewHistoryAtTheTopOfItsLists() {
    const QString job = QString::fromUtf8(qgetenv("YOBINA_SOURCE_DIR")) + "/examples/full-cut-list.qzl";
    f_.Grid(GridId::Cut)->SetCurrentCell(1, 40);
    f_.Grid(GridId::Cut)->SetCell(1, 40, "1");
    f_.dialogs.openAnswers = {job};
    f_.Trigger("Open1");
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    QCOMPARE(f_.Grid(GridId::Cut)->verticalScrollBar()->value(), 0);
    QCOMPARE(f_.Grid(GridId::Cut)->CurrentRow(), 1);
    QVERIFY(!f_.window->findChild<QAction*>("EditUndo")->isEnabled());

    // Tabbing in shows the current cell, wherever the list was scrolled.
    TStringGrid* grid = f_.Grid(GridId::Cut);
    grid->SetCurrentCell(1, 30);
    grid->scrollToTop();
    f_.Field(FieldId::UnitWeight)->setFocus();
    grid->setFocus(Qt::TabFocusReason);
    QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->currentItem())));
  }

  void TheResultsPageGrowsWithTheWindowAndPrintStaysClearOfTheReport() {
    f_.window->Tabs()->setCurrentIndex(1);
    QPlainTextEdit* memo = f_.Memo();
    const QSize before = memo->size();
    f_.window->resize(f_.window->width() + 300, f_.window->height() + 200);
    QTRY_COMPARE(memo->width(), before.width() + 300);
    QCOMPARE(memo->height(), before.height() + 200);
    const QPushButton* print = f_.Find<QPushButton>("BtnPrint");
    QVERIFY(print->geometry().bottom() < memo->geometry().top());
    QVERIFY(print->geometry().right() > memo->width() / 2);
    // Not smaller than the input page's elements need.
    f_.window->resize(400, 300);
    QVERIFY(f_.window->Tabs()->width() >= 792);
  }

  void FileDialogsStartInTheFolderLastUsedAndTheNextSessionKnowsIt() {
    QTemporaryDir settingsFolder;
    QSettings settings(settingsFolder.filePath("yobina.ini"), QSettings::IniFormat);
    f_.window = std::make_unique<MainWindow>(WindowSetup{f_.Folder().path(), &f_.dialogs, &settings});
    QTemporaryDir jobs;
    f_.dialogs.saveAnswers = {jobs.filePath("a.QZL")};
    f_.Trigger("SaveAs1");
    f_.dialogs.openAnswers = {std::nullopt};
    f_.Trigger("Open1");
    QCOMPARE(f_.dialogs.startFolders.back(), jobs.path());

    f_.window = std::make_unique<MainWindow>(WindowSetup{f_.Folder().path(), &f_.dialogs, &settings});
    f_.dialogs.openAnswers = {std::nullopt};
    f_.Trigger("Open1");
    QCOMPARE(f_.dialogs.startFolders.back(), jobs.path());
  }

  void PrintSuggestsTheJobsNameAndTheDiagramsTheirOwn() {
    f_.FillRows(GridId::Stock, {{"6000", "30"}});
    f_.FillRows(GridId::Cut, {{"2300", "7"}});
    f_.dialogs.saveAnswers = {f_.Folder().filePath("H-200.QZL")};
    f_.Trigger("SaveAs1");
    f_.RunAndWait();
    QTest::mouseClick(f_.Find<QPushButton>("btnDiagramPrint"), Qt::LeftButton);
    QTest::mouseClick(f_.Find<QPushButton>("BtnPrint"), Qt::LeftButton);
    QCOMPARE(f_.dialogs.printNames, (QStringList{"H-200 切断図", "H-200"}));
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::DesktopTest)
#include "desktop_test.moc"
