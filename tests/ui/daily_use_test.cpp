// The input page in daily use: blocks pasted from a spreadsheet and copied
// back, digits typed in full width, pastes into limited fields, the progress
// of a long Run and its stop, numbers too long for their cells.
#include <QClipboard>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "file/data_file.h"
#include "text/codec.h"
#include "ui/cp932_validator.h"
#include "ui/run_progress_display.h"
#include "window_fixture.h"

namespace yobina::test {
namespace {

void PressCtrl(QWidget* widget, Qt::Key key) {
  QTest::keyClick(widget, key, Qt::ControlModifier);
}

QStringList Cells(const TStringGrid* grid, int rows) {
  QStringList cells;
  for (int row = 1; row <= rows; ++row) cells << grid->Cell(1, row) + "|" + grid->Cell(2, row);
  return cells;
}

}  // namespace

class DailyUseTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;

  // Pastes `text` from the clipboard with Ctrl+V into a grid's cell.
  void PasteInto(TStringGrid* grid, int column, int row, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    grid->SetCurrentCell(column, row);
    grid->setFocus();
    PressCtrl(grid->CellEditor(), Qt::Key_V);
  }

 private slots:
  void init() {
    f_.FreshFolder();
    f_.dialogs = FakeDialogs();
    f_.Open();
    f_.dialogs.shown.clear();  // the missing backup's message at start-up
  }
  void cleanup() { f_.window.reset(); }

  void ABlockFillsCellsAsTyped_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("cells");  // rows 33 to 35 of Grid2 ("length|count")
    QTest::addColumn<QString>("message");
    QTest::newRow("tabs, CR LF, last line break")
        << "2300\t7\r\n1700\t9\r\n"
        << 33 << QStringList{"  2300|    7", "  1700|    9", "|"} << "";
    QTest::newRow("commas, LF") << "900,11\n1300,5" << 34
                                << QStringList{"x|x", "   900|   11", "  1300|    5"} << "";
    QTest::newRow("full width, blanks, a tab keeps thousands separators")
        << "１２００\t３\n\t\n1,234\t4x" << 33 << QStringList{"  1200|    3", "|", "  1234|    4"} << "";
    QTest::newRow("more rows than the grid, empty ones aside")
        << "1\t1\n2\t2\n3\t3\n\n4\t4\n"
        << 34 << QStringList{"x|x", "     1|    1", "     2|    2"}
        << "表に入りきらない 2 行は貼り付けていません。";
    QTest::newRow("wider than the grid") << "5,6,7\n8,9,,\n"
                                         << 34 << QStringList{"x|x", "     5|    6", "     8|    9"}
                                         << "表に入りきらない 1 列は貼り付けていません。";
  }
  void ABlockFillsCellsAsTyped() {
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(QStringList, cells);
    QFETCH(QString, message);
    TStringGrid* grid = f_.Grid(GridId::Cut);
    f_.FillRows(GridId::Stock, {{"6000", "1"}});
    grid->SetCell(1, 33, "x");
    grid->SetCell(2, 33, "x");
    f_.Memo()->setPlainText("report");
    PasteInto(grid, 1, row, text);
    QStringList shown;
    for (int r = 33; r <= 35; ++r) shown << grid->Cell(1, r) + "|" + grid->Cell(2, r);
    QCOMPARE(shown, cells);
    QCOMPARE(f_.dialogs.Texts("information"), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f_.Memo()->toPlainText(), QString());  // pasting is typing
    QCOMPARE(f_.Grid(GridId::Stock)->Cell(1, 1), QString("6000"));
    QCOMPARE(grid->CurrentRow(), row);
  }

  void ThirtyRowsFromASpreadsheetSaveAsIfTyped() {
    QString block;
    for (int i = 1; i <= 30; ++i) block += QString("%1\t%2\r\n").arg(1000 + 37 * i).arg(i % 7 + 1);
    PasteInto(f_.Grid(GridId::Cut), 1, 1, block);
    const std::string pasted = FormatDataFile(f_.window->Page());

    f_.FreshFolder();
    f_.Open();
    TStringGrid* grid = f_.Grid(GridId::Cut);
    grid->SetCurrentCell(1, 1);
    grid->setFocus();
    for (int i = 1; i <= 30; ++i) {
      TypeText(grid->CellEditor(), QString::number(1000 + 37 * i));
      QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
      TypeText(grid->CellEditor(), QString::number(i % 7 + 1));
      QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    }
    QCOMPARE(QString::fromStdString(pasted), QString::fromStdString(FormatDataFile(f_.window->Page())));
    QCOMPARE(grid->Cell(1, 30), QString("  2110"));
  }

  void CopyABlockOutPasteItBackAndDelete() {
    TStringGrid* grid = f_.Grid(GridId::Stock);
    f_.FillRows(GridId::Stock, {{"  6000", "   30"}, {"  7000", "   10"}, {"  5500", "    2"}});
    grid->setFocus();
    grid->SetCurrentCell(2, 3);
    // A mouse drag over the cells selects them; the editor follows the mouse.
    QWidget* cells = grid->viewport();
    const QPoint from = grid->visualItemRect(grid->item(0, 0)).center();
    const QPoint to = grid->visualItemRect(grid->item(1, 1)).center();
    QTest::mousePress(cells, Qt::LeftButton, {}, from);
    QMouseEvent drag(QEvent::MouseMove, to, cells->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(cells, &drag);
    QTest::mouseRelease(cells, Qt::LeftButton, {}, to);
    QCOMPARE(grid->selectedRanges().size(), 1);
    QCOMPARE(grid->selectedRanges()[0].rowCount() * grid->selectedRanges()[0].columnCount(), 4);
    PressCtrl(grid->CellEditor(), Qt::Key_C);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("6000\t30\n7000\t10\n"));

    QTest::keyClick(grid->CellEditor(), Qt::Key_Delete);
    QCOMPARE(Cells(grid, 3), (QStringList{"|", "|", "  5500|    2"}));

    // Back through the menu's paste command, one row lower.
    grid->SetCurrentCell(1, 2);
    f_.Trigger("EditPaste");
    QCOMPARE(Cells(grid, 3), (QStringList{"|", "  6000|   30", "  7000|   10"}));
    // Typing edits the current cell alone: Delete then works in its text, not on the block.
    grid->CellEditor()->setFocus();
    TypeText(grid->CellEditor(), "8");
    QTest::keyClick(grid->CellEditor(), Qt::Key_Delete);
    QCOMPARE(Cells(grid, 3), (QStringList{"|", "  60008|   30", "  7000|   10"}));
    // A lone value goes into the editor at its caret, as text typed there.
    QGuiApplication::clipboard()->setText("４５");
    grid->SetCurrentCell(2, 1);
    grid->CellEditor()->setFocus();
    PressCtrl(grid->CellEditor(), Qt::Key_V);
    QCOMPARE(grid->Cell(2, 1), QString("45"));
  }

  void FullWidthDigitsAreTypedAsDigits() {
    TStringGrid* grid = f_.Grid(GridId::Cut);
    f_.TypeIntoCell(grid, 1, 1, "２３００");
    QCOMPARE(grid->CellEditor()->text(), QString("2300"));
    // Committed by an input method, as a Japanese user types.
    grid->SetCurrentCell(2, 1);
    QInputMethodEvent commit;
    commit.setCommitString("－７");
    QApplication::sendEvent(grid->CellEditor(), &commit);
    QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    QCOMPARE(Cells(grid, 1), QStringList{"  2300|   -7"});

    TEditField* weight = f_.Field(FieldId::UnitWeight);
    weight->setFocus();
    TypeText(weight, "＋１２．５");
    QTest::keyClick(weight, Qt::Key_Return);
    QCOMPARE(weight->text(), QString("   12.50"));
    TEditField* month = f_.Field(FieldId::Month);
    month->setFocus();
    TypeText(month, "１２");  // two bytes once folded: within the limit
    QCOMPARE(month->text(), QString("12"));
    // Texts stay as typed.
    TEditField* name = f_.Field(FieldId::ProjectName);
    name->setFocus();
    TypeText(name, "Ｈ－１２");
    QCOMPARE(name->text(), QString("Ｈ－１２"));
    // What a file brings is shown exactly as it is stored, even in the open editor.
    InputPage& page = f_.window->Page();
    page.SetFieldText(FieldId::Month, Cp932("１２３"));
    grid->SetCurrentCell(1, 2);
    page.SetCellText(GridId::Cut, 1, 2, Cp932("１２"));
    QCOMPARE(month->text(), QString("１２３"));
    QCOMPARE(grid->CellEditor()->text(), QString("１２"));
  }

  void APasteIntoALimitedFieldKeepsWhatFits_data() {
    QTest::addColumn<FieldId>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("beep");
    const QString kanji16(16, QChar(0x9244));  // 鉄: two bytes each
    QTest::newRow("fits whole") << FieldId::ProjectName << "" << kanji16 << kanji16 << false;
    QTest::newRow("a double-byte character at the limit")
        << FieldId::ProjectName << "a" << kanji16 << "a" + kanji16.left(15) << true;
    QTest::newRow("outside the code page, a line break") << FieldId::MemberName << ""
                                                         << "A한B\r\nC"
                                                         << "ABC" << true;
    QTest::newRow("digits folded, then cut") << FieldId::Margin << ""
                                             << "１２３４"
                                             << "123" << true;
  }
  void APasteIntoALimitedFieldKeepsWhatFits() {
    QFETCH(FieldId, field);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    QFETCH(bool, beep);
    TEditField* edit = f_.Field(field);
    edit->SetText(before);
    edit->setFocus();
    edit->end(false);
    QSignalSpy dropped(edit->findChild<Cp932Validator*>(), &Cp932Validator::partDropped);
    QGuiApplication::clipboard()->setText(pasted);
    PressCtrl(edit, Qt::Key_V);
    QCOMPARE(edit->text(), after);
    QCOMPARE(edit->cursorPosition(), after.size());
    QCOMPARE(dropped.size() > 0, beep);
  }

  void ALongRunShowsItsProgressAndAStopSaysSo() {
    // Trials of some milliseconds each: bars of a kilometre, each cut piece by piece.
    f_.FillRows(GridId::Stock, {{"1000000", "100000"}});
    std::vector<std::pair<QString, QString>> cuts;
    for (int row = 1; row <= 35; ++row) cuts.emplace_back(QString::number(1000 + 7 * row), "20000");
    f_.FillRows(GridId::Cut, cuts);
    f_.TrialCount()->SetItemIndex(2);
    auto* progress = f_.Find<RunProgressDisplay>("runProgress");
    QVERIFY(progress->isHidden());
    QStringList seen;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
      if (!f_.window->IsRunning()) return;  // the Run works on its own thread: not yet begun, or over
      if (!seen.isEmpty() && seen.back() == progress->BarText()) return;
      seen << progress->BarText();
      if (seen.size() == 4) QTest::keyClick(f_.window.get(), Qt::Key_Escape);
    });
    sampler.start(0);
    QTest::mouseClick(f_.Find<QPushButton>("Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!f_.window->IsRunning(), 20000);
    sampler.stop();

    QVERIFY2(seen.size() >= 4, qPrintable(seen.join(", ")));
    int last = -1;
    for (const QString& text : seen) {
      const QStringList parts = text.split(" / ");
      QCOMPARE(parts.size(), 2);
      QCOMPARE(parts[1], QString("500"));
      QVERIFY(parts[0].toInt() > last);
      last = parts[0].toInt();
    }
    QVERIFY(progress->Value() >= last && progress->Value() < 500);
    const QString notice = QString("中断しました (%1 / 500 回)").arg(progress->Value());
    QCOMPARE(progress->Notice(), notice);
    QVERIFY(!progress->isHidden());  // on the input page, behind the results
    // The report of the trials done, its text as ever; the results page says it was stopped.
    QCOMPARE(f_.window->Tabs()->currentIndex(), 1);
    QVERIFY(f_.Memo()->toPlainText().startsWith("*\n* Page = 1"));
    QCOMPARE(f_.Find<QLabel>("stopNotice")->text(), notice);
    QCOMPARE(f_.Label("lbZhi"), QString("　ロス率"));

    // A Run that ends by itself leaves neither.
    f_.TrialCount()->SetItemIndex(0);
    QTest::mouseClick(f_.Find<QPushButton>("Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!f_.window->IsRunning(), 20000);
    QVERIFY(progress->isHidden());
    QCOMPARE(f_.Find<QLabel>("stopNotice")->text(), QString());
  }

  void DraggingARowFinishesTheCellBeingEdited() {
    TStringGrid* grid = f_.Grid(GridId::Cut);
    f_.FillRows(GridId::Cut, {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}});
    f_.TypeIntoCell(grid, 1, 5, "１２ab");
    grid->verticalHeader()->moveSection(4, 1);
    QCOMPARE(grid->Cell(1, 2), QString("    12"));
    QCOMPARE(grid->Cell(1, 3), QString("2"));
  }

  void FieldsShowTheirWholeText() {
    TEditField* weight = f_.Field(FieldId::UnitWeight);
    weight->setFocus();
    TypeText(weight, "12345678");
    f_.Field(FieldId::Margin)->setFocus();
    QCOMPARE(weight->text(), QString("12345678.00"));
    QVERIFY(weight->font().pixelSize() < 17);
    QVERIFY(QFontMetrics(weight->font()).horizontalAdvance(weight->text()) < weight->width() - 4);
    weight->setFocus();
    weight->selectAll();
    TypeText(weight, "5");
    QCOMPARE(weight->font().pixelSize(), 17);
    // A name longer than its field, as a file may bring it, shows from its start once left.
    TEditField* name = f_.Field(FieldId::ProjectName);
    name->SetText(QString(300, QChar('x')) + "end");
    name->setFocus();
    name->end(false);
    weight->setFocus();
    QCOMPARE(name->cursorPosition(), 0);
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::DailyUseTest)
#include "daily_use_test.moc"
