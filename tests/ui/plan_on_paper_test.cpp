// What reaches paper once the job on the page is no longer the job of the last
// plan: never the old plan under the new job's names, margin or lists.
#include <QStatusBar>
#include <QTabWidget>

#include "text/codec.h"
#include "window_fixture.h"

namespace yobina::test {
namespace {

// Everything a print drew, one text after the other (code page 932).
std::string Drawn(const std::vector<RecordedCall>& calls) {
  std::string drawn;
  for (const RecordedCall& call : calls) {
    if (call.Kind == DeviceCall::DrawText) drawn += call.Text;
  }
  return drawn;
}

bool Has(const std::string& drawn, const char* utf8) {
  return drawn.find(Cp932(utf8)) != std::string::npos;
}

}  // namespace

class PlanOnPaperTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;

  // What the button sent to paper; empty when it printed nothing.
  std::string Print(const char* button) {
    const size_t before = f_.dialogs.prints.size();
    QTest::mouseClick(f_.Find<QPushButton>(button), Qt::LeftButton);
    return f_.dialogs.prints.size() > before ? Drawn(f_.dialogs.prints.back()) : std::string();
  }
  void TypeInto(FieldId field, const QString& text) {
    TEditField* edit = f_.Field(field);
    edit->setFocus();
    edit->selectAll();
    TypeText(edit, text);
    f_.Field(FieldId::ProjectName)->setFocus();  // left: the field tidies its number
  }

 private slots:
  void init() {
    f_.OpenFresh();
    f_.dialogs.recordPrints = true;
  }
  void cleanup() { f_.window.reset(); }

  void OpeningAnotherJobAfterARunPrintsThatJobWithoutAPlan() {
    f_.FillRows(GridId::Stock, {{"12000", "200"}});
    std::vector<std::pair<QString, QString>> cuts;
    for (int i = 1; i <= 30; ++i)
      cuts.emplace_back(QString::number(1000 + 37 * i), QString::number(i % 7 + 1));
    f_.FillRows(GridId::Cut, cuts);
    f_.Field(FieldId::ProjectName)->SetText("三十行の工事");
    f_.Field(FieldId::UnitWeight)->SetText("20.9");
    f_.RunAndWait();
    QVERIFY(f_.Memo()->toPlainText().contains("三十行の工事"));

    f_.dialogs.openAnswers = {QString::fromUtf8(qgetenv("YOBINA_SOURCE_DIR")) + "/examples/reference.qzl"};
    f_.Trigger("Open1");
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    // The results page and 【図】 say there is no plan.
    QCOMPARE(f_.Memo()->toPlainText(), QString());
    QCOMPARE(f_.Memo()->placeholderText(),
             QString("計画はありません。実 行 または 最 適 化 を押してください。"));
    f_.window->Tabs()->setCurrentIndex(2);
    auto* view = f_.Find<QWidget>("DiagramView");
    view->grab();
    QCOMPARE(view->minimumHeight(), 0);

    // Paper: the opened job, its lists and figures alone, and no patterns.
    const std::string report = Print("BtnPrint");
    QVERIFY(Has(report, "港北物流センター新築工事"));
    QVERIFY(Has(report, "    2300×   7本"));
    QVERIFY(Has(report, "素材の余裕 = 0(mm)   切り代 = 5(mm)"));
    QVERIFY(Has(report, "計画はありません"));
    QVERIFY(!Has(report, "ロス率"));
    QVERIFY(!Has(report, "《必要素材リスト》"));
    QVERIFY(!Has(report, "三十行"));
    QVERIFY(!Has(report, "    1037×"));
    QVERIFY(!Has(report, "│素材長"));
    QVERIFY(Print("btnDiagramPrint").empty());
    QCOMPARE(f_.window->statusBar()->currentMessage(), QString("図に描く計画がありません"));
  }

  void EditingTheMarginAfterARunNeverPrintsThePlanWithIt() {
    f_.FillRows(GridId::Stock, {{"6000", "30"}, {"7000", "10"}});
    f_.FillRows(GridId::Cut, {{"2300", "7"}, {"1700", "9"}, {"1300", "5"}, {"900", "11"}});
    f_.Field(FieldId::Margin)->SetText("0");
    f_.Field(FieldId::Kerf)->SetText("5");
    f_.RunAndWait();
    // The plan's report and its diagrams agree on the margin it was made with.
    const std::string planned = Print("BtnPrint");
    QVERIFY(Has(planned, "│素材長"));
    QVERIFY(Has(planned, "素材の余裕 = 0(mm)"));
    QVERIFY(Has(Print("btnDiagramPrint"), "素材の余裕 = 0(mm)"));

    TypeInto(FieldId::Margin, "50");
    const std::string edited = Print("BtnPrint");
    QVERIFY(Has(edited, "素材の余裕 = 50(mm)"));
    QVERIFY(!Has(edited, "│素材長"));
    QVERIFY(Print("btnDiagramPrint").empty());
    f_.window->Tabs()->setCurrentIndex(1);
    QCOMPARE(f_.Memo()->toPlainText(), QString());

    // The margin typed back: the job is the planned one again, and so is its plan.
    TypeInto(FieldId::Margin, "0");
    QCOMPARE(Print("BtnPrint"), planned);
    f_.window->Tabs()->setCurrentIndex(2);
    f_.window->Tabs()->setCurrentIndex(1);
    QVERIFY(f_.Memo()->toPlainText().contains("素材の余裕 = 0(mm)"));
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::PlanOnPaperTest)
#include "plan_on_paper_test.moc"
