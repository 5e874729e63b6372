// The input page as a user meets it: the layout, typing that tidies itself,
// Enter walking the fields and cells, row dragging, CLR and the results text
// that any typing clears.
#include <QHeaderView>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "file/input_page.h"
#include "file/memory_input_page.h"
#include "text/codec.h"
#include "window_fixture.h"

namespace yobina::test {

class InputPageTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;

 private slots:
  void init() {
    f_.FreshFolder();
    f_.dialogs = FakeDialogs();
    f_.Open();
  }
  void cleanup() { f_.window.reset(); }

  void ElementsSitWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    const std::pair<const char*, QRect> table[] = {
        {"SpeedButton1", {0, 13, 28, 28}}, {"btnClr1", {40, 14, 36, 28}},     {"btnClr2", {240, 14, 36, 28}},
        {"Grid1", {4, 44, 195, 357}},      {"Grid2", {208, 44, 198, 357}},    {"edYY", {490, 17, 54, 23}},
        {"edMM", {565, 17, 34, 23}},       {"edDD", {617, 17, 34, 23}},       {"edKname", {490, 70, 293, 23}},
        {"edBname", {490, 114, 293, 23}},  {"edWunit", {490, 140, 82, 23}},   {"edyoyu", {529, 233, 40, 23}},
        {"edsiro", {691, 233, 40, 23}},    {"rgTryCnt", {424, 268, 357, 61}}, {"Button1", {684, 344, 75, 33}},
        {"btnExact", {684, 382, 75, 33}},
    };
    for (const auto& [name, geometry] : table) QTest::newRow(name) << QString(name) << geometry;
    const std::pair<const char*, QPoint> labels[] = {
        {"Label1", {88, 20}},   {"Label2", {288, 20}},    {"Label9", {453, 20}},  {"Label8", {416, 72}},
        {"Label6", {416, 116}}, {"Label7", {416, 144}},   {"Label4", {439, 236}}, {"Label5", {635, 236}},
        {"lbZhi", {416, 356}},  {"lbZhiMin", {508, 356}}, {"Label3", {12, 412}},
    };
    for (const auto& [name, at] : labels) QTest::newRow(name) << QString(name) << QRect(at, QSize());
  }
  void ElementsSitWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    auto* widget = f_.window->findChild<QWidget*>(name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    // On the page, whatever holds the element.
    QCOMPARE(widget->mapTo(f_.window->InputWidgets().panel, QPoint(0, 0)), geometry.topLeft());
    if (!geometry.size().isEmpty()) QCOMPARE(widget->size(), geometry.size());
  }

  // The window and the batch program's page hold the same elements, as the
  // element table describes them.
  void BothPagesFollowTheElementTable() {
    const InputPage& window = f_.window->Page();
    const MemoryInputPage memory;
    for (FieldId id : kAllFields) {
      const FieldElement& element = ElementOf(id);
      const TEditField* field = f_.Field(id);
      QVERIFY2(field != nullptr, element.Key.data());
      QCOMPARE(field->FormatCode(), element.Format.Code());
      QCOMPARE(field->ByteLimit(), element.ByteLimit);
    }
    for (FieldId id : kAllFields) QCOMPARE(window.FieldText(id), memory.FieldText(id));
    for (GridId id : kAllGrids) {
      const TStringGrid* grid = f_.Grid(id);
      QVERIFY(grid != nullptr);
      QCOMPARE(window.RowCount(id), memory.RowCount(id));
      QCOMPARE(window.RowCount(id), kGridDataRows + 1);
      QCOMPARE(window.ColumnCount(id), memory.ColumnCount(id));
      for (int column = 0; column < window.ColumnCount(id); ++column) {
        QCOMPARE(window.CellText(id, column, 0), memory.CellText(id, column, 0));
        if (column > 0) QCOMPARE(grid->FormatCode(column), kGridColumnElements[column - 1].Format.Code());
      }
    }
    QVERIFY(f_.TrialCount() != nullptr);
    QCOMPARE(window.TrialIndex(), memory.TrialIndex());
    QCOMPARE(window.TrialIndex(), kTrialCountElement.DefaultIndex);
    QCOMPARE(window.TrialItemCount(), memory.TrialItemCount());
    for (int i = 0; i < window.TrialItemCount(); ++i)
      QCOMPARE(window.TrialCaption(i), memory.TrialCaption(i));
    QVERIFY(f_.Find<QWidget>(kInputTab.Key) != nullptr);
    QVERIFY(f_.Find<QWidget>(kResultsTab.Key) != nullptr);
  }

  void WindowStartsEmptyOnTheInputPage() {
    MainWindow& w = *f_.window;
    QCOMPARE(w.objectName(), QString("Form1"));
    QCOMPARE(w.centralWidget()->size(), QSize(792, 504));
    QVERIFY(w.windowTitle().startsWith("【 鉄骨・ヨビナ Ver 2.14 】"));
    QCOMPARE(w.Tabs()->tabText(0), QString("　ヨビナ条件　"));
    QCOMPARE(w.Tabs()->tabText(1), QString("【結果】"));
    QCOMPARE(w.Tabs()->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), f_.Field(FieldId::Year));
    QVERIFY(!w.windowIcon().pixmap(32).isNull());
    for (FieldId id : kAllFields) QCOMPARE(f_.Field(id)->text(), QString());
    QCOMPARE(f_.TrialCount()->ItemIndex(), 1);
    QCOMPARE(f_.Label("lbZhi"), QString("　ロス率"));
    QCOMPARE(f_.Label("lbZhiMin"), QString("・・・・・"));
    QCOMPARE(f_.Label("Label3"), QString("※5000mm未満の素材は優先的に使用します。"));
    // No backup yet, as at the first start: nothing to say.
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    QVERIFY(f_.Memo()->isReadOnly());
    QCOMPARE(f_.Memo()->lineWrapMode(), QPlainTextEdit::NoWrap);
  }

  void GridsCarryHeadingsAndRowNumbers() {
    for (GridId id : {GridId::Stock, GridId::Cut}) {
      const InputPage& page = f_.window->Page();
      QCOMPARE(page.RowCount(id), 36);
      QCOMPARE(page.ColumnCount(id), 3);
      QCOMPARE(page.CellText(id, 0, 0), std::string());
      QCOMPARE(page.CellText(id, 1, 0), Cp932("長さmm"));
      QCOMPARE(page.CellText(id, 2, 0), Cp932(" 本数"));
      QCOMPARE(page.CellText(id, 0, 1), std::string("  1"));
      QCOMPARE(page.CellText(id, 0, 35), std::string(" 35"));
      QCOMPARE(f_.Grid(id)->rowHeight(0), 26);
      QCOMPARE(f_.Grid(id)->columnWidth(0), 70);
    }
    QCOMPARE(f_.Grid(GridId::Stock)->columnWidth(1), 61);
    QCOMPARE(f_.Grid(GridId::Cut)->columnWidth(1), 64);
    QCOMPARE(f_.Grid(GridId::Stock)->verticalHeader()->width(), 36);
  }

  void EnterTidiesTheFieldAndMovesOn_data() {
    QTest::addColumn<FieldId>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tidy");
    QTest::addColumn<QString>("next");
    QTest::newRow("year") << FieldId::Year << "2005"
                          << " 2005" << NameOf(FieldId::Month);
    QTest::newRow("empty month") << FieldId::Month << ""
                                 << "  0" << NameOf(FieldId::Day);
    QTest::newRow("day") << FieldId::Day << "7"
                         << "  7" << NameOf(FieldId::ProjectName);
    QTest::newRow("name keeps its blanks") << FieldId::ProjectName << "  ab "
                                           << "  ab " << NameOf(FieldId::MemberName);
    QTest::newRow("member name") << FieldId::MemberName << "Ｈ－２００"
                                 << "Ｈ－２００" << NameOf(FieldId::UnitWeight);
    QTest::newRow("unit weight") << FieldId::UnitWeight << "7.9"
                                 << "    7.90" << NameOf(FieldId::Margin);
    QTest::newRow("thousands separators dropped") << FieldId::UnitWeight << "1,250.5"
                                                  << " 1250.50" << NameOf(FieldId::Margin);
    QTest::newRow("text without a number stays for correction") << FieldId::Margin << "ab"
                                                                << "ab" << NameOf(FieldId::Kerf);
    QTest::newRow("kerf to the trial count") << FieldId::Kerf << "5"
                                             << "  5"
                                             << "100回";
  }
  void EnterTidiesTheFieldAndMovesOn() {
    QFETCH(FieldId, field);
    QFETCH(QString, typed);
    QFETCH(QString, tidy);
    QFETCH(QString, next);
    TEditField* edit = f_.Field(field);
    edit->setFocus();
    TypeText(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), tidy);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    const QString focusName =
        qobject_cast<QRadioButton*>(focus) ? static_cast<QRadioButton*>(focus)->text() : focus->objectName();
    QCOMPARE(focusName, next);
  }

  void LeavingAFieldTidiesIt() {
    TEditField* month = f_.Field(FieldId::Month);
    month->setFocus();
    TypeText(month, "3");
    f_.Field(FieldId::Day)->setFocus();
    QCOMPARE(month->text(), QString("  3"));
    // The name fields are never rewritten.
    TEditField* name = f_.Field(FieldId::ProjectName);
    name->setFocus();
    TypeText(name, " x ");
    month->setFocus();
    QCOMPARE(name->text(), QString(" x "));
  }

  void TypingLimitsCountCodePageBytes_data() {
    QTest::addColumn<FieldId>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("month takes two") << FieldId::Month << "123"
                                     << "12";
    QTest::newRow("year takes five") << FieldId::Year << "1234567"
                                     << "12345";
    QTest::newRow("full-width takes two bytes")
        << FieldId::ProjectName << QString(20, QChar(0x9244)) << QString(16, QChar(0x9244));
    QTest::newRow("half-width kana takes one")
        << FieldId::ProjectName << QString(40, QChar(0xFF76)) << QString(32, QChar(0xFF76));
    QTest::newRow("no room for half a character") << FieldId::Margin << "12鉄"
                                                  << "12";
    QTest::newRow("outside the code page") << FieldId::MemberName << QString("A한B") << "AB";
  }
  void TypingLimitsCountCodePageBytes() {
    QFETCH(FieldId, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    TEditField* edit = f_.Field(field);
    edit->setFocus();
    TypeText(edit, typed);
    QCOMPARE(edit->text(), kept);
  }

  void ALongerTextSetByTheProgramStaysButDoesNotGrow() {
    TEditField* month = f_.Field(FieldId::Month);
    month->setFocus();
    TypeText(month, "3");
    QTest::keyClick(month, Qt::Key_Return);  // "  3": three characters in a two-byte field
    month->setFocus();
    month->end(false);
    TypeText(month, "4");
    QCOMPARE(month->text(), QString("  3"));
    QTest::keyClick(month, Qt::Key_Backspace);
    QCOMPARE(month->text(), QString("  "));
  }

  void EnterWalksLengthCountAndNextRow() {
    TStringGrid* grid = f_.Grid(GridId::Cut);
    f_.TypeIntoCell(grid, 1, 1, "2300");
    QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    QCOMPARE(grid->CurrentColumn(), 2);
    QCOMPARE(grid->CurrentRow(), 1);
    TypeText(grid->CellEditor(), "7");
    QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    QCOMPARE(grid->CurrentColumn(), 1);
    QCOMPARE(grid->CurrentRow(), 2);
    QCOMPARE(grid->Cell(1, 1), QString("  2300"));
    QCOMPARE(grid->Cell(2, 1), QString("    7"));
    QVERIFY(grid->CellEditor()->hasFocus());
    // The last row keeps its place.
    grid->SetCurrentCell(2, 35);
    QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    QCOMPARE(grid->CurrentColumn(), 1);
    QCOMPARE(grid->CurrentRow(), 35);
  }

  void TheCellBeingLeftIsTidied_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tidy");
    QTest::addColumn<bool>("beep");
    QTest::newRow("length") << 1 << "900"
                            << "   900" << false;
    QTest::newRow("count") << 2 << "11"
                           << "   11" << false;
    QTest::newRow("zero length blank") << 1 << "0"
                                       << "" << false;
    QTest::newRow("text without a number stays for correction") << 2 << "abc"
                                                                << "abc" << true;
    QTest::newRow("long number whole") << 1 << "1234567"
                                       << "1234567" << false;
    QTest::newRow("full-width digits typed are digits") << 1 << "１２００"
                                                        << "  1200" << false;
    QTest::newRow("thousands separators dropped") << 1 << "１，２５０"
                                                  << "  1250" << false;
    QTest::newRow("a comma that drops digits stays for correction") << 1 << "1,25"
                                                                    << "1,25" << true;
  }
  void TheCellBeingLeftIsTidied() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, tidy);
    QFETCH(bool, beep);
    TStringGrid* grid = f_.Grid(GridId::Stock);
    const QSignalSpy unclear(grid, &TStringGrid::numberUnclear);
    f_.TypeIntoCell(grid, column, 3, typed);
    QTest::keyClick(grid->CellEditor(), Qt::Key_Down);
    QCOMPARE(grid->CurrentRow(), 4);
    QCOMPARE(grid->Cell(column, 3), tidy);
    QCOMPARE(unclear.size() > 0, beep);
  }

  void ALongNumberShowsAllItsDigits_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("other");
    // Seven digits fill the length column: all of them are drawn.
    QTest::newRow("length, last digit") << 1 << "1234560";
    QTest::newRow("length, sixth digit") << 1 << "1234507";
    // Wider than the count column: a smaller font, never an ellipsis.
    QTest::newRow("count, last digit") << 2 << "1234560";
    QTest::newRow("count, first digit") << 2 << "7234567";
  }
  void ALongNumberShowsAllItsDigits() {
    QFETCH(int, column);
    QFETCH(QString, other);
    TStringGrid* grid = f_.Grid(GridId::Stock);
    grid->SetCurrentCell(1, 10);  // the editor elsewhere: the cells are painted
    const QRect cell = grid->visualItemRect(grid->item(0, column - 1));
    auto picture = [&](const QString& text) {
      grid->SetCell(column, 1, text);
      return grid->viewport()->grab(cell).toImage();
    };
    QVERIFY(picture("1234567") != picture(other));
  }

  void ArrowsMoveBetweenCellsAtTheTextsEdge() {
    TStringGrid* grid = f_.Grid(GridId::Stock);
    f_.TypeIntoCell(grid, 1, 5, "12");
    QTest::keyClick(grid->CellEditor(), Qt::Key_Left);  // inside the text: the caret moves
    QCOMPARE(grid->CurrentColumn(), 1);
    QTest::keyClick(grid->CellEditor(), Qt::Key_Right);
    QTest::keyClick(grid->CellEditor(), Qt::Key_Right);  // at the end: the next cell
    QCOMPARE(grid->CurrentColumn(), 2);
    QTest::keyClick(grid->CellEditor(), Qt::Key_Up);
    QCOMPARE(grid->CurrentRow(), 4);
    QCOMPARE(grid->Cell(1, 5), QString("    12"));
  }

  void TabLeavesTheGridAndTidiesIt() {
    TStringGrid* stock = f_.Grid(GridId::Stock);
    f_.TypeIntoCell(stock, 1, 1, "6000");
    QTest::keyClick(stock->CellEditor(), Qt::Key_Tab);
    QCOMPARE(stock->Cell(1, 1), QString("  6000"));
    TStringGrid* cut = f_.Grid(GridId::Cut);
    QVERIFY(cut->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(cut->CellEditor(), Qt::Key_Tab);  // the last element: round to the first
    QCOMPARE(QApplication::focusWidget(), f_.Field(FieldId::Year));
  }

  void ClickingAnotherElementTidiesTheCell() {
    TStringGrid* grid = f_.Grid(GridId::Stock);
    f_.TypeIntoCell(grid, 2, 2, "30");
    f_.Field(FieldId::ProjectName)->setFocus();
    QCOMPARE(grid->Cell(2, 2), QString("   30"));
  }

  void TypingClearsTheResultsText_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("field character") << "field";
    QTest::newRow("field Enter") << "field Enter";
    QTest::newRow("grid character") << "grid";
    QTest::newRow("grid Enter on an unchanged cell") << "grid Enter";
    QTest::newRow("trial count click") << "trial count";
    QTest::newRow("CLR") << "btnClr2";
  }
  void TypingClearsTheResultsText() {
    QFETCH(QString, where);
    f_.Memo()->setPlainText("report");
    if (where == "field") {
      f_.Field(FieldId::ProjectName)->setFocus();
      QTest::keyClick(f_.Field(FieldId::ProjectName), Qt::Key_A);
    } else if (where == "field Enter") {
      f_.Field(FieldId::Month)->setFocus();
      QTest::keyClick(f_.Field(FieldId::Month), Qt::Key_Return);
    } else if (where == "grid") {
      f_.TypeIntoCell(f_.Grid(GridId::Stock), 1, 1, "5");
    } else if (where == "grid Enter") {
      f_.TypeIntoCell(f_.Grid(GridId::Cut), 1, 1, "");
      QTest::keyClick(f_.Grid(GridId::Cut)->CellEditor(), Qt::Key_Return);
    } else if (where == "trial count") {
      QTest::mouseClick(f_.TrialCount()->Button(0), Qt::LeftButton);
      QCOMPARE(f_.TrialCount()->ItemIndex(), 0);
    } else {
      QTest::mouseClick(f_.Find<QToolButton>(qPrintable(where)), Qt::LeftButton);
    }
    QCOMPARE(f_.Memo()->toPlainText(), QString());
  }

  void ClearEmptiesOneGridOnly() {
    f_.FillRows(GridId::Stock, {{"  6000", "   30"}, {"  7000", "   10"}});
    f_.FillRows(GridId::Cut, {{"  2300", "    7"}});
    f_.Field(FieldId::ProjectName)->SetText("job");
    QTest::mouseClick(f_.Find<QToolButton>("btnClr1"), Qt::LeftButton);
    for (int row = 1; row <= 35; ++row) {
      QCOMPARE(f_.Grid(GridId::Stock)->Cell(1, row), QString());
      QCOMPARE(f_.Grid(GridId::Stock)->Cell(2, row), QString());
    }
    QCOMPARE(f_.Grid(GridId::Stock)->Cell(0, 2), QString("  2"));
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1), QString("  2300"));
    QCOMPARE(f_.Field(FieldId::ProjectName)->text(), QString("job"));
  }

  void DraggingARowMovesItsData() {
    TStringGrid* grid = f_.Grid(GridId::Cut);
    f_.FillRows(GridId::Cut, {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"5", "e"}});
    // The header's drag ends in moveSection; row 5 to row 2.
    grid->verticalHeader()->moveSection(4, 1);
    const QStringList expected = {"1", "5", "2", "3", "4"};
    for (int row = 1; row <= 5; ++row) {
      QCOMPARE(grid->Cell(1, row), expected[row - 1]);
      QCOMPARE(f_.window->Page().CellText(GridId::Cut, 1, row), expected[row - 1].toStdString());
    }
    QCOMPARE(grid->Cell(2, 2), QString("e"));
    for (int row = 1; row <= 35; ++row) {
      QCOMPARE(grid->Cell(0, row), QString::asprintf("%3d", row));
      QCOMPARE(grid->verticalHeader()->visualIndex(row - 1), row - 1);
    }
    // Down again: row 1 to row 4.
    grid->verticalHeader()->moveSection(0, 3);
    QCOMPARE(grid->Cell(1, 4), QString("1"));
    QCOMPARE(grid->Cell(1, 1), QString("5"));
  }

  void TheTrialCountTakesTheTabStopOfItsSelectedItem() {
    auto* group = f_.TrialCount();
    f_.Field(FieldId::Kerf)->setFocus();
    QTest::keyClick(f_.Field(FieldId::Kerf), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), group->Button(1));
    QTest::keyClick(group->Button(1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f_.Find<QPushButton>("Button1"));
    group->SetItemIndex(-1);
    QCOMPARE(group->ItemIndex(), -1);
    QCOMPARE(f_.window->Page().TrialIndex(), -1);
    group->SetItemIndex(2);
    QCOMPARE(f_.window->Page().TrialCaption(2), Cp932("500回"));
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::InputPageTest)
#include "input_page_test.moc"
