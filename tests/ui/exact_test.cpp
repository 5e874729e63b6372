// The 最 適 化 button: where it sits, the optimal planner off the window's
// thread with live figures, its report, and Esc or closing stopping it.
#include <QFontMetricsF>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>

#include "ui/plan_runner.h"
#include "ui/run_progress_display.h"
#include "window_fixture.h"

namespace yobina::test {
namespace {

void TypeReferenceJob(const WindowFixture& f) {
  f.FillRows(GridId::Stock, {{"6000", "30"}, {"7000", "10"}});
  f.FillRows(GridId::Cut, {{"2300", "7"}, {"1700", "9"}, {"1300", "5"}, {"900", "11"}});
  f.Field(FieldId::Margin)->SetText("0");
  f.Field(FieldId::Kerf)->SetText("5");
}

// Keeps the planner busy for seconds: 32 stock lengths to the mm, most of
// them short, whose bar counts the proof must weigh against each other.
void TypeSlowJob(const WindowFixture& f) {
  f.FillRows(
      GridId::Stock,
      {{"1273", "29"},  {"1844", "36"},  {"1953", "33"}, {"2402", "36"},  {"2898", "32"}, {"3211", "17"},
       {"3712", "9"},   {"4568", "38"},  {"5225", "20"}, {"5475", "38"},  {"5499", "6"},  {"5512", "18"},
       {"5519", "33"},  {"5932", "10"},  {"6361", "8"},  {"7633", "23"},  {"8152", "26"}, {"8171", "20"},
       {"9178", "33"},  {"9507", "10"},  {"9629", "4"},  {"9711", "4"},   {"9741", "37"}, {"10174", "13"},
       {"10338", "38"}, {"10485", "23"}, {"10678", "5"}, {"11610", "10"}, {"11670", "9"}, {"11972", "9"},
       {"12460", "8"},  {"12855", "27"}});
  f.FillRows(GridId::Cut, {{"161", "27"},
                           {"681", "2"},
                           {"687", "22"},
                           {"923", "13"},
                           {"926", "13"},
                           {"939", "40"},
                           {"1605", "14"},
                           {"1832", "24"},
                           {"2102", "37"},
                           {"2252", "14"},
                           {"2606", "35"},
                           {"3086", "25"},
                           {"3149", "26"},
                           {"4121", "2"},
                           {"4467", "15"},
                           {"5081", "35"},
                           {"5360", "7"},
                           {"5436", "5"}});
  f.Field(FieldId::Margin)->SetText("5");
  f.Field(FieldId::Kerf)->SetText("0");
}

}  // namespace

class ExactTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;

  QPushButton* Button() const { return f_.Find<QPushButton>("btnExact"); }
  void Click() { QTest::mouseClick(Button(), Qt::LeftButton); }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    f_.FreshFolder();
    f_.dialogs.printToPdf.clear();
    f_.Open();
    f_.dialogs.shown.clear();  // the missing backup's message at start-up
  }
  void cleanup() { f_.window.reset(); }

  void TheButtonSitsBelowRunAndCoversNothing() {
    const QPushButton* run = f_.Find<QPushButton>("Button1");
    QPushButton* exact = Button();
    QVERIFY(exact != nullptr);
    QCOMPARE(exact->text(), QString("最 適 化"));
    QCOMPARE(exact->size(), run->size());
    QCOMPARE(exact->x(), run->x());
    QVERIFY(exact->y() > run->geometry().bottom());
    QWidget* panel = f_.window->InputWidgets().panel;
    const QRect place(exact->mapTo(panel, QPoint(0, 0)), exact->size());
    QVERIFY(panel->rect().contains(place));
    for (const QWidget* other : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other->isVisible() && !other->isAncestorOf(exact)) {
        QVERIFY2(!other->geometry().intersects(place), qPrintable(other->objectName()));
      }
    }
    QCOMPARE(f_.window->findChild<QAction*>("Exact1")->text(), QString("最適化(&O)"));
  }

  void ItReportsTheOptimalPlanAndPrintsIt() {
    TypeReferenceJob(f_);
    Click();
    QVERIFY(f_.window->IsRunning());
    QTRY_VERIFY(!f_.window->IsRunning());
    QCOMPARE(f_.dialogs.Kinds(), QStringList());
    QCOMPARE(f_.window->Tabs()->currentWidget()->objectName(), ElementName(kResultsTab.Key));
    const QString report = f_.Memo()->toPlainText();
    QVERIFY2(report.contains(" 素材延長=  49.000(m)"), qPrintable(report));
    QVERIFY(report.contains("\n 最適化: 証明済みの最適計画   下限ロス率= 2.510(%)\n"));
    QCOMPARE(f_.Label("lbZhi"), QString("　ロス率"));
    QCOMPARE(f_.Label("lbZhiMin"), QString("  2.510 %"));
    QVERIFY(QFile::exists(f_.Folder().filePath("#BackUp.Qzl")));

    f_.dialogs.printToPdf = f_.Folder().filePath("exact.pdf");
    QTest::mouseClick(f_.Find<QPushButton>("BtnPrint"), Qt::LeftButton);
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    QVERIFY(QFile::exists(f_.dialogs.printToPdf));
  }

  void TheWindowStaysLiveAndEscStopsIt() {
    TypeSlowJob(f_);
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    f_.Trigger("Exact1");
    QVERIFY(f_.window->IsRunning());
    QVERIFY(!f_.Find<QPushButton>("Button1")->isEnabled());
    QVERIFY(!Button()->isEnabled());
    QVERIFY(!f_.window->menuBar()->isEnabled());
    QTest::qWait(300);
    QVERIFY(ticks >= 10);  // the planner works on a thread of its own
    QVERIFY(f_.window->IsRunning());
    auto* progress = f_.Find<RunProgressDisplay>("runProgress");
    QVERIFY(progress->BarText().endsWith(" / 10 秒"));  // seconds of its time limit

    QTest::keyClick(f_.window.get(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!f_.window->IsRunning(), 2000);
    QVERIFY2(progress->Notice().startsWith("中断しました (") && progress->Notice().endsWith(" / 10 秒)"),
             qPrintable(progress->Notice()));
    QVERIFY(Button()->isEnabled());
    QCOMPARE(f_.Label("lbZhi"), QString("　ロス率"));
    QCOMPARE(f_.dialogs.Texts("information"), QStringList());  // stopped: nothing to say about the job
  }

  void TheLabelsShowThePlannersFiguresAsTheyCome() {
    auto* runner = f_.window->findChild<PlanRunner*>();
    QVERIFY(runner != nullptr);
    emit runner->betterBound(2.4);
    emit runner->betterPlan(12.345);
    QCOMPARE(f_.Label("lbZhi"), QString("下限 2.400 %"));
    QCOMPARE(f_.Label("lbZhiMin"), QString("計画12.345 %"));
    emit runner->betterBound(12.3);
    const QLabel* lbZhi = f_.Find<QLabel>("lbZhi");
    QVERIFY(QFontMetricsF(lbZhi->font()).horizontalAdvance(lbZhi->text()) <= lbZhi->width());
  }

  void ClosingWaitsForThePlannerToEnd() {
    TypeSlowJob(f_);
    Click();
    QVERIFY(f_.window->IsRunning());
    f_.window->close();
    QVERIFY(f_.window->isVisible());  // not while the planner's thread runs
    QTRY_VERIFY_WITH_TIMEOUT(!f_.window->isVisible(), 2000);
    QVERIFY(!f_.window->IsRunning());
  }

  void DestroyingTheWindowStopsThePlanner() {
    TypeSlowJob(f_);
    Click();
    QVERIFY(f_.window->IsRunning());
    f_.window.reset();  // joins the thread: nothing outlives the window
  }

  void ARefusedJobSaysWhyAndStaysOnThePage() {
    TypeReferenceJob(f_);
    f_.Field(FieldId::Kerf)->SetText("-10");
    Click();
    QTRY_VERIFY(!f_.window->IsRunning());
    QCOMPARE(f_.dialogs.Texts("error"), QStringList{"切り代が負のため、最適化できません。"});
    QCOMPARE(f_.window->Tabs()->currentIndex(), 0);
  }

  void NoPlanSaysSo() {
    f_.FillRows(GridId::Stock, {{"6000", "1"}});
    f_.FillRows(GridId::Cut, {{"9000", "1"}});
    Click();
    QTRY_VERIFY(!f_.window->IsRunning());
    QCOMPARE(f_.dialogs.Texts("information"),
             QStringList{"ヨビナ不能です。\n9000mm の部材が入る素材がありません（最長 6000mm＋余裕 0mm）"});
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::ExactTest)
#include "exact_test.moc"
