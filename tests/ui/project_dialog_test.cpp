// ファイル → 一括計画…: a small building planned through the dialog, its
// folder saved, a section opened in the window with its plan, bad input named.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "inventory/inventory.h"
#include "plan/plan_result.h"
#include "project/project_result.h"
#include "text/codec.h"
#include "ui/project_dialog.h"
#include "window_fixture.h"

namespace yobina::test {
namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

const QByteArray kParts =
    "部材名,長さ,本数,単位重量\n"
    "H-200×100,2500,6,21.3\n"
    "H-200×100,3100,4,21.3\n"
    "L-65×6,1800,9,5.91\n";

}  // namespace

class ProjectDialogTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;

  ProjectDialog* Dialog() const { return f_.window->findChild<ProjectDialog*>("ProjectDialog"); }
  template <typename Widget>
  Widget* In(const char* name) const {
    return Dialog()->findChild<Widget*>(QString::fromLatin1(name));
  }
  void PlanParts(const QByteArray& parts) {
    const QString file = f_.Folder().filePath("building.csv");
    WriteFile(file, parts);
    f_.Trigger("ProjectPlan1");
    QVERIFY(Dialog() != nullptr);
    In<QLineEdit>("PartsFile")->setText(file);
    QTest::mouseClick(In<QPushButton>("PlanButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Dialog()->IsPlanning(), 60000);
  }
  QString State(int row) const { return In<QTableWidget>("SectionTable")->item(row, 2)->text(); }

 private slots:
  void init() { f_.OpenFresh(); }
  void cleanup() { f_.window.reset(); }

  void PlansSavesAndOpensASection() {
    PlanParts(kParts);
    QVERIFY(Dialog()->Result() != nullptr);
    QCOMPARE(In<QTableWidget>("SectionTable")->rowCount(), 2);
    QCOMPARE(State(0), QString("証明済"));
    QCOMPARE(State(1), QString("証明済"));
    QCOMPARE(In<QProgressBar>("ProjectProgress")->value(), 2);
    QVERIFY(In<QPushButton>("SaveButton")->isEnabled());

    const QString folder = f_.Folder().filePath("out");
    f_.dialogs.folderAnswers = {folder};
    QTest::mouseClick(In<QPushButton>("SaveButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Dialog()->IsSaving(), 30000);
    QVERIFY(!f_.dialogs.Kinds().contains("error"));
    for (const char* name :
         {"purchase.csv", "summary.csv", "project.json", "project.pdf", "001_H-200×100.qzl"})
      QVERIFY2(QFile::exists(QDir(folder).filePath(QString::fromUtf8(name))), name);

    // A second save into the same folder asks first; a cancel leaves it.
    f_.dialogs.folderAnswers = {folder};
    f_.dialogs.confirmAnswers = {false};
    QTest::mouseClick(In<QPushButton>("SaveButton"), Qt::LeftButton);
    QVERIFY(f_.dialogs.Kinds().contains("confirm"));

    // The section's job on the page, named after its saved file, with its plan current.
    emit In<QTableWidget>("SectionTable")->cellDoubleClicked(0, 0);
    QCOMPARE(f_.Field(FieldId::MemberName)->text(), QString("H-200×100"));
    QVERIFY(f_.window->windowTitle().endsWith("001_H-200×100.qzl"));
    QVERIFY(f_.window->CurrentResult() != nullptr);
    QVERIFY(f_.window->CurrentResult()->Plan.HasPatterns());
    QVERIFY(!f_.window->HasUnsavedChanges());
    // Its own loss rate in the labels.
    const double rate = f_.window->CurrentResult()->Plan.Cuts().LossRate;
    QCOMPARE(f_.Label("lbZhiMin").trimmed(), QString::number(rate, 'f', 3) + " %");
  }

  void OpeningASectionAsksAboutUnsavedChanges() {
    PlanParts(kParts);
    f_.Field(FieldId::ProjectName)->setText("x");  // an edit the user has not saved
    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Cancel};
    emit In<QTableWidget>("SectionTable")->cellDoubleClicked(1, 0);
    QVERIFY(f_.dialogs.Kinds().contains("save changes"));
    QCOMPARE(f_.Field(FieldId::ProjectName)->text(), QString("x"));
  }

  void OffcutsInTheInventoryAreCutBeforeAnythingIsBought() {
    InventoryResult<Inventory> inventory = Inventory::OpenDefault();
    QVERIFY(inventory);
    QVERIFY(inventory.Value().Keep(KeepRequest{Cp932("L-65×6"), "rack", "2026-12-01", {{1850, 9}}, {}}));
    f_.Trigger("ProjectPlan1");
    In<QCheckBox>("TakeOffcuts")->setChecked(true);
    PlanParts(kParts);
    QVERIFY(Dialog()->Result() != nullptr);
    const ProjectResult& result = *Dialog()->Result();
    QCOMPARE(Cp932ToUtf8(result.Input.Sections[1].Name), std::string("L-65×6"));
    const std::vector<PurchaseLine>& purchase = result.Sections[1].Purchase;
    QCOMPARE(purchase.size(), size_t{1});
    QCOMPARE(purchase[0].Length, 1850);
    QCOMPARE(purchase[0].FromStock, 9);
    QCOMPARE(purchase[0].Bought, 0);
  }

  // NCフォルダ… chooses a folder of the CAD's part files; the plates are left out with a note.
  void PlansAFolderOfNcFiles() {
    const QString folder = f_.Folder().filePath("nc");
    QVERIFY(QDir().mkpath(folder));
    const auto part = [&](const char* name, const char* grade, const char* code, const char* length) {
      WriteFile(QDir(folder).filePath(name), QByteArray("ST\n  K-1\n  S-1\n  1節\n  G1\n  ") + grade +
                                                 "\n  2\n  H-200*100*5.5*8\n  " + code + "\n  " + length +
                                                 "\n  200\n  100\n  8\n  5.5\n  8\n  20.9\nEN\n");
    };
    part("P1.nc1", "SS400", "I", "3000,3010.5");
    part("P2.NC", "SN490B", "I", "2500");
    part("PL1.nc1", "SS400", "B", "300");
    f_.Trigger("ProjectPlan1");
    f_.dialogs.folderAnswers = {folder};
    QTest::mouseClick(In<QPushButton>("PartsFolderChoose"), Qt::LeftButton);
    QCOMPARE(In<QLineEdit>("PartsFile")->text(), folder);
    QTest::mouseClick(In<QPushButton>("PlanButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Dialog()->IsPlanning(), 60000);
    QVERIFY(Dialog()->Result() != nullptr);
    QCOMPARE(In<QTableWidget>("SectionTable")->rowCount(), 2);
    QCOMPARE(In<QTableWidget>("SectionTable")->item(1, 0)->text(), QString("H-200×100×5.5×8 SN490B"));
    QCOMPARE(Dialog()->Result()->Input.Sections[0].Cuts[0].Length, 3011);
    QCOMPARE(Dialog()->Result()->Input.Settings.ProjectName, std::string("nc"));
    QVERIFY(In<QLabel>("ProjectTotals")->text().contains("板材は対象外: 1 ファイル"));
  }

  void BadInputIsNamedAndNothingIsPlanned() {
    PlanParts("部材名,長さ,本数\nH-200×100,abc,2\nH-200×100,13000,1\n");
    QVERIFY(Dialog()->Result() == nullptr);
    const QStringList errors = f_.dialogs.Texts("error");
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors.front().contains("2行目"));
    QVERIFY(errors.front().contains("3行目"));
    QCOMPARE(In<QTableWidget>("SectionTable")->rowCount(), 0);
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::ProjectDialogTest)
#include "project_dialog_test.moc"
