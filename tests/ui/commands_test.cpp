// The window's commands end to end: Run with its labels and report, the file
// commands with their dialogs answered, the edit commands, reload, print, help
// links, and the backup that carries a job to the next start.
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QMenuBar>
#include <QSet>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "ui/ui_text.h"
#include "window_fixture.h"

namespace yobina::test {
namespace {

// The reference job: stock 6000 × 30 and 7000 × 10; cut 2300 × 7, 1700 × 9,
// 1300 × 5 and 900 × 11; margin 0, kerf 5, ten trials.
void TypeReferenceJob(const WindowFixture& f) {
  f.FillRows(GridId::Stock, {{"6000", "30"}, {"7000", "10"}});
  f.FillRows(GridId::Cut, {{"2300", "7"}, {"1700", "9"}, {"1300", "5"}, {"900", "11"}});
  f.Field(FieldId::Margin)->SetText("0");
  f.Field(FieldId::Kerf)->SetText("5");
  f.Field(FieldId::ProjectName)->SetText("港北物流センター");
  f.TrialCount()->SetItemIndex(0);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;

  QString Backup() const { return f_.Folder().filePath("#BackUp.Qzl"); }
  void Run() { f_.RunAndWait(); }
  void PressCtrlKey(Qt::Key key) const {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    f_.FreshFolder();
    f_.dialogs = FakeDialogs();
    f_.Open();
    f_.dialogs.shown.clear();  // the missing backup's message at start-up
  }
  void cleanup() { f_.window.reset(); }

  void RunShowsTheLossRatesAndTheReport() {
    TypeReferenceJob(f_);
    f_.FillRows(GridId::Stock, {{"6000", "30"}, {"", ""}, {"7000", "10"}});  // a gap that the Run closes
    Run();
    QCOMPARE(f_.dialogs.Kinds(), QStringList());
    QCOMPARE(f_.Label("lbZhi"), QString("　ロス率"));
    QCOMPARE(f_.Label("lbZhiMin"), QString("  4.603 %"));
    QCOMPARE(f_.window->Tabs()->currentWidget()->objectName(), ElementName(kResultsTab.Key));
    const QStringList lines = f_.Memo()->toPlainText().split('\n');
    QVERIFY(lines.size() > 20);
    // A page header, then the title block (no date line without a date).
    QCOMPARE(lines.mid(0, 6),
             (QStringList{"*", "* Page = 1",
                          "----+----1----+----2----+----3----+----4----+----5----+----6----+----7"
                          "----+----8----",
                          "*", "  工事名：港北物流センター", lines[5]}));
    QVERIFY(lines[5].startsWith("  部材名："));
    QVERIFY(lines.filter("《切 断 リ ス ト》").size() == 1);
    QVERIFY(lines.filter("《必要素材リスト》").size() == 1);
    QVERIFY(lines.filter("素材の余裕 = 0(mm)   切り代 = 5(mm)").size() == 1);
    QVERIFY(lines.filter(QString(41, QChar(0x2500))).size() >= 4);  // the rules
    // The grids show the job compacted and tidied; the backup holds it.
    QCOMPARE(f_.Grid(GridId::Stock)->Cell(1, 2), QString("  7000"));
    QCOMPARE(f_.Grid(GridId::Stock)->Cell(1, 3), QString());
    QCOMPARE(f_.Field(FieldId::Kerf)->text(), QString("  5"));
    QVERIFY(ReadFile(Backup()).startsWith("File Version KVD.Tlmex  1.00\r\n"));
    // Same job, same result.
    const QString first = f_.Memo()->toPlainText();
    Run();
    QCOMPARE(f_.Memo()->toPlainText(), first);
  }

  void ACellThatIsNotOneNumberRefusesThePlanners() {
    TypeReferenceJob(f_);
    f_.TypeIntoCell(f_.Grid(GridId::Cut), 1, 3, "1,25");
    for (const char* button : {"Button1", "btnExact"}) {
      f_.dialogs.shown.clear();
      QTest::mouseClick(f_.Find<QPushButton>(button), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(!f_.window->IsRunning(), 20000);
      QCOMPARE(f_.dialogs.Texts("error"), QStringList{"切断リスト 3行目: 長さ「1,25」が数字ではありません"});
      QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 3).trimmed(), QString("1,25"));
      QCOMPARE(f_.Grid(GridId::Cut)->currentRow(), 2);
      QCOMPARE(f_.Grid(GridId::Cut)->currentColumn(), 0);
      QVERIFY(f_.window->LastResult() == nullptr);
    }
  }

  void TheLossRatesGoWithThePlan() {
    TypeReferenceJob(f_);
    f_.dialogs.saveAnswers = {f_.Folder().filePath("other.qzl")};
    f_.Trigger("SaveAs1");
    f_.Field(FieldId::Kerf)->SetText("3");
    Run();
    QVERIFY(f_.Label("lbZhiMin").endsWith(" %"));
    f_.dialogs.openAnswers = {f_.Folder().filePath("other.qzl")};
    f_.Trigger("Open1");
    QCOMPARE(f_.Label("lbZhi"), QString("　ロス率"));
    QCOMPARE(f_.Label("lbZhiMin"), QString("・・・・・"));
    // ↩ brings back the last Run's job, not its figures.
    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Discard};
    Run();
    QTest::mouseClick(f_.Find<QToolButton>("SpeedButton1"), Qt::LeftButton);
    QCOMPARE(f_.Label("lbZhiMin"), QString("・・・・・"));
  }

  void TheReportLinesUpInTheMemosFont() {
    // A half-width character's pitch for every byte of a line: the box-drawn
    // table lines up only if the memo's face draws each two-byte character
    // exactly two half-width columns wide.
    TypeReferenceJob(f_);
    f_.Field(FieldId::MemberName)->SetText("Ｈ－２００×１００ ｶﾀ鋼");
    Run();
    const QFontMetricsF metrics(f_.Memo()->font());
    const qreal column = metrics.horizontalAdvance(QChar('0'));
    QVERIFY(column > 0);
    const QStringList lines = f_.Memo()->toPlainText().split('\n');
    QVERIFY(lines.filter("│").size() >= 5);
    for (const QString& line : lines) {
      const auto bytes = static_cast<qreal>(ToCp932(line).size());
      QVERIFY2(qAbs(metrics.horizontalAdvance(line) - bytes * column) < 0.5, qPrintable(line));
    }
  }

  void EverythingButTheRunWaitsWhileItWorks() {
    TypeReferenceJob(f_);
    bool checked = false;
    QTimer::singleShot(0, f_.window.get(), [&] {
      checked = true;
      QVERIFY(f_.window->IsRunning());
      QVERIFY(!f_.Find<QPushButton>("Button1")->isEnabled());
      QVERIFY(!f_.Grid(GridId::Stock)->isEnabled());
      QVERIFY(!f_.Field(FieldId::ProjectName)->isEnabled());
      QVERIFY(!f_.window->menuBar()->isEnabled());
      QVERIFY(!f_.Find<QPushButton>("BtnPrint")->isEnabled());
      QVERIFY(!f_.Find<QToolButton>("SpeedButton1")->isEnabled());
    });
    Run();
    QVERIFY(checked);
    QVERIFY(!f_.window->IsRunning());
    QVERIFY(f_.Find<QPushButton>("Button1")->isEnabled());
    QVERIFY(f_.window->menuBar()->isEnabled());
    QVERIFY(f_.Find<QPushButton>("BtnPrint")->isEnabled());
  }

  void ClosingDuringARunStopsItThenCloses() {
    TypeReferenceJob(f_);
    f_.TrialCount()->SetItemIndex(2);
    QTimer::singleShot(0, f_.window.get(), [&] {
      f_.window->close();
      QVERIFY(f_.window->isVisible());  // not while the Run is on the stack
      QVERIFY(f_.window->StopRequested());
    });
    Run();
    QTRY_VERIFY(!f_.window->isVisible());
  }

  void EscStopsARun() {
    TypeReferenceJob(f_);
    f_.TrialCount()->SetItemIndex(2);
    QTimer::singleShot(0, f_.window.get(), [&] { QTest::keyClick(f_.window.get(), Qt::Key_Escape); });
    Run();
    QVERIFY(f_.window->StopRequested());
    QVERIFY(!f_.window->IsRunning());
    QVERIFY(f_.window->isVisible());
  }

  void EscBeforeAnyPlanSaysNothing() {
    // Each trial of this job takes seconds: Esc comes while the first still works.
    f_.FillRows(GridId::Stock, {{"1999999999", "100"}});
    std::vector<std::pair<QString, QString>> cuts;
    for (int row = 1; row <= 35; ++row) cuts.emplace_back(QString::number(1000 + 7 * row), "2000000");
    f_.FillRows(GridId::Cut, cuts);
    f_.TrialCount()->SetItemIndex(2);
    QTimer::singleShot(0, f_.window.get(), [&] { QTest::keyClick(f_.window.get(), Qt::Key_Escape); });
    Run();
    QVERIFY(f_.window->StopRequested());
    QCOMPARE(f_.dialogs.Kinds(), QStringList());  // not "ヨビナ不能です。": the job was never tried out
    QCOMPARE(f_.window->Tabs()->currentIndex(), 0);
  }

  void TheCaptionCarriesTheTrialWhileARunWorks() {
    TypeReferenceJob(f_);
    const QString idle = f_.window->windowTitle();
    QString during;
    QString label;
    // The first trial's figures, as the window shows them.
    const QMetaObject::Connection first = connect(f_.window.get(), &QWidget::windowTitleChanged, [&] {
      if (!during.isEmpty() || !f_.window->IsRunning()) return;
      during = f_.window->windowTitle();
      label = f_.Label("lbZhi");
    });
    Run();
    disconnect(first);
    // The trial label ends where the best rate begins: the rate shows whole,
    // the trial's number does not, and the caption carries it.
    QCOMPARE(label, QString(" 15.063 %  (1)"));
    const QLabel* lbZhi = f_.Find<QLabel>("lbZhi");
    const QFontMetricsF metrics(lbZhi->font());
    QVERIFY(metrics.horizontalAdvance(label.left(9)) <= lbZhi->width());
    QVERIFY(metrics.horizontalAdvance(label) > lbZhi->width());
    QCOMPARE(during, idle + "  ロス率 15.063 %  (1)");
    QCOMPARE(f_.window->windowTitle(), idle);
  }

  void NoPlanSaysSoAndStaysOnTheInputPage() {
    f_.FillRows(GridId::Stock, {{"6000", "1"}});
    f_.FillRows(GridId::Cut, {{"9000", "1"}});
    f_.Memo()->setPlainText("earlier report");
    Run();
    QCOMPARE(f_.dialogs.Texts("information"),
             QStringList{"ヨビナ不能です。\n9000mm の部材が入る素材がありません（最長 6000mm＋余裕 0mm）"});
    QCOMPARE(f_.window->Tabs()->currentIndex(), 0);
    QCOMPARE(f_.Label("lbZhiMin"), QString("・・・・・"));
    QCOMPARE(f_.Memo()->toPlainText(), QString("earlier report"));
    QVERIFY(QFile::exists(Backup()));  // written all the same
  }

  void ABackupThatCannotBeWrittenStopsTheRun() {
    TypeReferenceJob(f_);
    QVERIFY(QDir(f_.Folder().path()).mkdir("#BackUp.Qzl"));  // a folder where the file goes
    Run();
    QCOMPARE(f_.dialogs.Kinds(), QStringList{"error"});
    QVERIFY(!f_.dialogs.Texts("error").front().isEmpty());
    QCOMPARE(f_.Label("lbZhiMin"), QString("・・・・・"));  // no trial ran
    QCOMPARE(f_.window->Tabs()->currentIndex(), 0);
    QVERIFY(f_.Find<QPushButton>("Button1")->isEnabled());
  }

  void TheBackupBringsTheJobToTheNextStart() {
    TypeReferenceJob(f_);
    Run();
    f_.window.reset();
    f_.dialogs = FakeDialogs();
    f_.Open();
    QCOMPARE(f_.dialogs.Kinds(), QStringList());
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 4), QString("   900"));
    QCOMPARE(f_.Field(FieldId::ProjectName)->text(), QString("港北物流センター"));
    QCOMPARE(f_.TrialCount()->ItemIndex(), 0);
    QCOMPARE(f_.window->Tabs()->currentIndex(), 0);
  }

  void ReloadBringsBackTheLastRun() {
    TypeReferenceJob(f_);
    Run();
    f_.Grid(GridId::Cut)->SetCell(1, 1, "5555");
    f_.Field(FieldId::ProjectName)->SetText("changed");
    QTest::mouseClick(f_.Find<QToolButton>("SpeedButton1"), Qt::LeftButton);
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1), QString("  2300"));
    QCOMPARE(f_.Field(FieldId::ProjectName)->text(), QString("港北物流センター"));
    QCOMPARE(f_.Memo()->toPlainText(), QString());
  }

  void SaveAsThenSaveThenOpen() {
    TypeReferenceJob(f_);
    // Save before any Save As asks for a name.
    f_.dialogs.saveAnswers = {f_.Folder().filePath("job")};
    f_.Trigger("Save1");
    QCOMPARE(f_.dialogs.Kinds(), QStringList{"save"});
    QVERIFY(f_.dialogs.startFolders.front() != f_.Folder().path());  // not where the backup lives
    const QString saved = f_.Folder().filePath("job.QZL");
    QVERIFY(QFile::exists(saved));
    QCOMPARE(f_.window->SaveFileName(), saved);
    QVERIFY(f_.window->windowTitle().endsWith("job.QZL"));

    // Save writes there without asking.
    f_.Field(FieldId::MemberName)->SetText("member");
    f_.Trigger("Save1");
    QCOMPARE(f_.dialogs.Kinds(), QStringList{"save"});
    QVERIFY(ReadFile(saved).contains("member"));

    // Open takes the name in any case and fills the page again; the report stays.
    f_.Grid(GridId::Cut)->ClearData();
    f_.Field(FieldId::MemberName)->SetText("");
    f_.Memo()->setPlainText("report");
    f_.dialogs.openAnswers = {f_.Folder().filePath("job.qzl")};
    f_.Trigger("Open1");
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1), QString("2300"));
    QCOMPARE(f_.Field(FieldId::MemberName)->text(), QString("member"));
    QCOMPARE(f_.Memo()->toPlainText(), QString("report"));
    QCOMPARE(f_.window->SaveFileName(), saved);
  }

  void OpenSetsTheSaveTarget() {
    TypeReferenceJob(f_);
    f_.dialogs.saveAnswers = {f_.Folder().filePath("ref.QZL")};
    f_.Trigger("SaveAs1");
    // The next session knows no save target until it opens the file.
    f_.window.reset();
    f_.dialogs = FakeDialogs();
    f_.Open();
    f_.dialogs.shown.clear();
    f_.dialogs.openAnswers = {f_.Folder().filePath("ref.txt")};  // another extension is replaced
    f_.Trigger("Open1");
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    QCOMPARE(f_.Grid(GridId::Stock)->Cell(1, 1), QString("6000"));
    f_.Field(FieldId::MemberName)->SetText("written back");
    f_.Trigger("Save1");
    QCOMPARE(f_.dialogs.Kinds(), QStringList{"open"});
    QVERIFY(ReadFile(f_.Folder().filePath("ref.QZL")).contains("written back"));
  }

  void SaveAsOverAnExistingFileAsks_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("OK overwrites") << true;
    QTest::newRow("Cancel keeps the file and the old target") << false;
  }
  void SaveAsOverAnExistingFileAsks() {
    QFETCH(bool, answer);
    const QString existing = f_.Folder().filePath("old.QZL");
    {
      QFile file(existing);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("old");
    }
    f_.dialogs.saveAnswers = {f_.Folder().filePath("old.qzl")};
    f_.dialogs.confirmAnswers = {answer};
    f_.Trigger("SaveAs1");
    QCOMPARE(f_.dialogs.Texts("confirm"), QStringList{"同名のファイルが存在します。上書きしてよろしいか？"});
    QCOMPARE(ReadFile(existing) == "old", !answer);
    QCOMPARE(f_.window->SaveFileName(), answer ? existing : QString());
    // A later Save asks again rather than overwrite what the user declined.
    f_.Trigger("Save1");
    QCOMPARE(f_.dialogs.Kinds().count("save"), answer ? 1 : 2);
  }

  void FileFailuresAreShownAndChangeNothing_data() {
    QTest::addColumn<QByteArray>("content");  // empty: no such file
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << "ファイルが見つかりません";
    QTest::newRow("wrong header") << QByteArray("File Version KVD.Tlmex  1.00 \r\nedKname     =x\r\n")
                                  << "データファイルのバージョンが違います。";
  }
  void FileFailuresAreShownAndChangeNothing() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = f_.Folder().filePath("bad.QZL");
    if (!content.isEmpty()) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(content);
    }
    f_.Field(FieldId::ProjectName)->SetText("kept");
    f_.dialogs.openAnswers = {path};
    f_.Trigger("Open1");
    QCOMPARE(f_.dialogs.Texts("error"), QStringList{message});
    QCOMPARE(f_.Field(FieldId::ProjectName)->text(), QString("kept"));
    QCOMPARE(f_.window->SaveFileName(), QString());
  }

  void CancelledDialogsDoNothing() {
    f_.Trigger("Open1");
    f_.Trigger("SaveAs1");
    QCOMPARE(f_.dialogs.Kinds(), (QStringList{"open", "save"}));
    QCOMPARE(f_.window->SaveFileName(), QString());
  }

  void EditCommandsRewriteTheCutList_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("lengths");
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QStringList>("expected");  // length|count of rows 1, 2, 3
    QTest::newRow("merge") << "CatMatome1" << QStringList{"3000", "2500", "3000", "", "2500"}
                           << QStringList{"2", "1", "5", "", "4"}
                           << QStringList{"  3000|    7", "  2500|    5", "|"};
    QTest::newRow("sort") << "CatListSort" << QStringList{"4000", "", "2500"} << QStringList{"1", "", "3"}
                          << QStringList{"  2500|    3", "  4000|    1", "|"};
  }
  void EditCommandsRewriteTheCutList() {
    QFETCH(QString, action);
    QFETCH(QStringList, lengths);
    QFETCH(QStringList, counts);
    QFETCH(QStringList, expected);
    for (int i = 0; i < lengths.size(); ++i) {
      f_.Grid(GridId::Cut)->SetCell(1, i + 1, lengths[i]);
      f_.Grid(GridId::Cut)->SetCell(2, i + 1, counts[i]);
    }
    f_.Memo()->setPlainText("report");
    f_.Trigger(qPrintable(action));
    for (int i = 0; i < expected.size(); ++i) {
      QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, i + 1) + "|" + f_.Grid(GridId::Cut)->Cell(2, i + 1),
               expected[i]);
    }
    QCOMPARE(f_.Memo()->toPlainText(), QString("report"));
    QCOMPARE(f_.dialogs.Kinds(), QStringList());
  }

  void PrintWritesTheLastRunsReport() {
    TypeReferenceJob(f_);
    Run();
    QTest::mouseClick(f_.Find<QPushButton>("BtnPrint"), Qt::LeftButton);  // cancelled
    QCOMPARE(f_.dialogs.Kinds(), QStringList{"print"});
    const QString pdf = f_.Folder().filePath("report.pdf");
    f_.dialogs.printToPdf = pdf;
    f_.Memo()->clear();  // the report comes from the plan, not from the text
    QTest::mouseClick(f_.Find<QPushButton>("BtnPrint"), Qt::LeftButton);
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    QVERIFY(ReadFile(pdf).startsWith("%PDF-"));
  }

  void APrinterThatFailsIsReported() {
    TypeReferenceJob(f_);
    Run();
    f_.dialogs.printToPdf = f_.Folder().filePath("no-such-folder/report.pdf");
    QTest::mouseClick(f_.Find<QPushButton>("BtnPrint"), Qt::LeftButton);
    const QStringList errors = f_.dialogs.Texts("error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.front().contains("no-such-folder/report.pdf"), qPrintable(errors.front()));
  }

  void DiagramsTabShowsAndPrintsTheLastPlan() {
    QCOMPARE(f_.window->Tabs()->tabText(2), QString("【図】"));
    auto* view = f_.Find<QWidget>("DiagramView");
    view->resize(900, 10);
    view->grab();
    QCOMPARE(view->minimumHeight(), 0);  // no plan yet: nothing drawn
    TypeReferenceJob(f_);
    Run();
    view->grab();
    const int tall = view->minimumHeight();
    QVERIFY2(tall > 150, qPrintable(QString::number(tall)));  // four bars under the header
    view->resize(450, tall);
    view->grab();
    QVERIFY(view->minimumHeight() >= tall);  // redrawn narrower: more names under the bars, if any

    f_.dialogs.printToPdf = f_.Folder().filePath("diagrams.pdf");
    QTest::mouseClick(f_.Find<QPushButton>("btnDiagramPrint"), Qt::LeftButton);
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    QVERIFY(ReadFile(f_.dialogs.printToPdf).startsWith("%PDF-"));
  }

  void HelpLinksGoToTheDesktop() {
    f_.Trigger("SendMailMe");
    f_.Trigger("DownLoad");
    QCOMPARE(f_.dialogs.urls.size(), size_t(2));
    QCOMPARE(f_.dialogs.urls[0], QUrl("mailto:" YOBINA_SUPPORT_MAIL));
    QCOMPARE(f_.dialogs.urls[1], QUrl(YOBINA_DOWNLOAD_URL));
  }

  void MenuCarriesItsAccessKeys() {
    const std::pair<const char*, const char*> items[] = {
        {"Open1", "開く(&O)"},
        {"Save1", "上書き保存(&S)"},
        {"SaveAs1", "名前を付けて保存(&A)"},
        {"Exit1", "終了(&X)"},
        {"CatMatome1", "同長切断材をまとめる"},
        {"CatListSort", "切断リストのソート"},
        {"SendMailMe", "メールで問合せる"},
        {"DownLoad", "最新のダウンロード"},
    };
    for (const auto& [name, caption] : items) {
      auto* action = f_.window->findChild<QAction*>(name);
      QVERIFY2(action != nullptr, name);
      QCOMPARE(action->text(), QString(caption));
    }
    QStringList menus;
    for (QAction* menu : f_.window->menuBar()->actions()) menus << menu->text();
    QCOMPARE(menus, (QStringList{"ファイル(&F)", "編集(&E)", "ヘルプ(&H)"}));

    // The desktop's standard keys, none taken twice.
    const std::pair<const char*, const char*> keys[] = {
        {"New1", "Ctrl+N"},          {"Open1", "Ctrl+O"},  {"Save1", "Ctrl+S"},
        {"SaveAs1", "Ctrl+Shift+S"}, {"Print1", "Ctrl+P"},
    };
    QSet<QString> taken;
    for (QAction* action : f_.window->findChildren<QAction*>()) {
      for (const QKeySequence& key : action->shortcuts()) {
        QVERIFY2(!taken.contains(key.toString()), qPrintable(key.toString()));
        taken.insert(key.toString());
      }
    }
    for (const auto& [name, key] : keys)
      QCOMPARE(f_.window->findChild<QAction*>(name)->shortcut().toString(QKeySequence::PortableText),
               QString(key));
  }

  void NewEmptiesThePageAfterAskingAboutChanges() {
    TypeReferenceJob(f_);
    Run();
    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Cancel};
    PressCtrlKey(Qt::Key_N);
    QCOMPARE(f_.dialogs.Kinds(), QStringList{"save changes"});
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1).trimmed(), QString("2300"));
    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Discard};
    PressCtrlKey(Qt::Key_N);
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1), QString());
    QCOMPARE(f_.Field(FieldId::ProjectName)->text(), QString());
    QVERIFY(!f_.window->HasUnsavedChanges());
    QVERIFY(f_.window->windowTitle().endsWith("無題"));
    QVERIFY(f_.window->CurrentResult() == nullptr);
    QCOMPARE(f_.Label("lbZhiMin"), QString("・・・・・"));
  }

  void ExitClosesTheWindow() {
    f_.Trigger("Exit1");
    QVERIFY(!f_.window->isVisible());
  }

  void AnUnwritableProgramFolderUsesTheUserFolder() {
    f_.window.reset();
    MainWindow window(WindowSetup{f_.Folder().filePath("no-such-folder"), &f_.dialogs});
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCOMPARE(window.WorkFolder(), userFolder);
    QCOMPARE(QDir::currentPath(), QDir(userFolder).absolutePath());
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::CommandsTest)
#include "commands_test.moc"
