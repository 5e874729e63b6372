// The offcuts in the window: the minimum offcut length as a user's setting,
// and the 【残材】 tab taking offcuts into a job and keeping a plan's offcuts.
#include <QLineEdit>

#include "inventory/inventory.h"
#include "text/codec.h"
#include "ui/offcut_tab.h"
#include "window_fixture.h"

namespace yobina::test {

class OffcutsTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;
  const std::string section_ = Cp932("L-75x75x6");

  Inventory OpenInventory() {
    InventoryResult<Inventory> inventory = Inventory::OpenDefault();
    if (!inventory) qFatal("no inventory");
    return std::move(inventory).Value();
  }
  std::vector<std::pair<int32_t, int32_t>> Stored() {
    std::vector<std::pair<int32_t, int32_t>> stored;
    for (const OffcutEntry& entry : OpenInventory().List().Value())
      stored.emplace_back(entry.Length, entry.Count);
    return stored;
  }
  // The next job of the section: 2000 x 2 and 1500 x 2 from 6000 mm bars, and 2495 x 3 in the rack.
  void TypeNextJob() {
    KeepRequest earlier{section_, "first", "2026-12-01", {{2495, 3}}, {}};
    QVERIFY(OpenInventory().Keep(earlier));
    f_.Field(FieldId::MemberName)->setText("L-75x75x6");
    f_.Field(FieldId::Kerf)->setText("5");
    f_.FillRows(GridId::Stock, {{"6000", "10"}});
    f_.FillRows(GridId::Cut, {{"2000", "2"}, {"1500", "2"}});
  }
  void Click(const char* name) { QTest::mouseClick(f_.Find<QPushButton>(name), Qt::LeftButton); }
  void PlanOptimally() {
    Click("btnExact");
    QTRY_VERIFY_WITH_TIMEOUT(!f_.window->IsRunning(), 30000);
  }

 private slots:
  void init() {
    IsolateUserFolders();
    const QString inventory = QString::fromStdString(DefaultInventoryPath()->string());
    for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(inventory + suffix);
    f_.OpenFresh();
    f_.Find<QLineEdit>("edOffcutMin")->setText("1000");
  }
  void cleanup() { f_.window.reset(); }

  void TheSettingIsNoChangeOfTheJobButMakesThePlanStale() {
    TypeNextJob();
    PlanOptimally();
    QVERIFY(f_.window->CurrentResult() != nullptr);
    QCOMPARE(f_.window->CurrentResult()->Document.OffcutMin, 1000);
    const bool unsaved = f_.window->HasUnsavedChanges();
    f_.Find<QLineEdit>("edOffcutMin")->setText("1500");
    QCOMPARE(f_.window->HasUnsavedChanges(), unsaved);
    QVERIFY(f_.window->CurrentResult() == nullptr);
    QVERIFY(f_.Memo()->toPlainText().isEmpty());
  }

  void TakePlanAndKeepMoveTheOffcutsThroughTheInventory() {
    TypeNextJob();
    Click("btnTakeOffcuts");
    QCOMPARE(f_.Grid(GridId::Stock)->Cell(1, 2).trimmed(), QString("2495"));
    QCOMPARE(f_.Grid(GridId::Stock)->Cell(2, 2).trimmed(), QString("3"));
    QVERIFY(f_.dialogs.Texts("information").last().contains("1 行を素材に加えました"));
    // Taking again would list the same bars twice.
    Click("btnTakeOffcuts");
    QVERIFY(f_.dialogs.Texts("error").last().contains("取り込み済み"));

    PlanOptimally();
    QVERIFY(f_.Memo()->toPlainText().contains("2495×   3本"));
    f_.dialogs.confirmAnswers = {false};
    Click("btnKeepOffcuts");
    QVERIFY(f_.dialogs.Texts("confirm").last().contains("在庫から使用 2 本"));
    QCOMPARE(Stored(), (std::vector<std::pair<int32_t, int32_t>>{{2495, 3}}));  // cancelled: unchanged
    f_.dialogs.confirmAnswers = {true};
    Click("btnKeepOffcuts");
    QCOMPARE(Stored(), (std::vector<std::pair<int32_t, int32_t>>{{2495, 1}, {2990, 1}}));
    Click("btnKeepOffcuts");  // the same plan again
    QVERIFY(f_.dialogs.Texts("error").last().contains("記録済み"));
    QCOMPARE(Stored(), (std::vector<std::pair<int32_t, int32_t>>{{2495, 1}, {2990, 1}}));
  }

  void KeepRefusesWhenAnotherWindowTookTheOffcutsMeanwhile() {
    TypeNextJob();
    Click("btnTakeOffcuts");
    PlanOptimally();
    const OffcutEntry entry = OpenInventory().List().Value().front();
    QVERIFY(OpenInventory().Remove({entry.Id, entry.Count}));  // sold, from another window
    f_.dialogs.confirmAnswers = {true, true};
    Click("btnKeepOffcuts");
    QVERIFY(f_.dialogs.Texts("error").last().contains("他で変更"));
    QVERIFY(Stored().empty());
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::OffcutsTest)
#include "offcuts_test.moc"
