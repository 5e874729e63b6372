// What can lose a job or mislead: unsaved changes and the prompt that keeps
// them, ↩ and the file name it leaves, the letter case of ".qzl", and why a
// job has no plan.
#include <QFile>
#include <QToolButton>

#include "window_fixture.h"

namespace yobina::test {
namespace {

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QString Example(const char* name) {
  return QString::fromUtf8(qgetenv("YOBINA_SOURCE_DIR")) + "/examples/" + name;
}

}  // namespace

class UnsavedChangesTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture f_;

  void Reload() { QTest::mouseClick(f_.Find<QToolButton>("SpeedButton1"), Qt::LeftButton); }
  void TypeIntoName(const QString& text) {
    f_.Field(FieldId::MemberName)->setFocus();
    TypeText(f_.Field(FieldId::MemberName), text);
  }
  QString Title() const { return f_.window->windowTitle(); }

 private slots:
  void init() { f_.OpenFresh(); }
  void cleanup() { f_.window.reset(); }

  void ReloadAsksFirstAndLeavesTheJobWithoutAName() {
    QCOMPARE(f_.Find<QToolButton>("SpeedButton1")->toolTip(), QString("前回の実行時の入力に戻す"));
    f_.FillRows(GridId::Stock, {{"6000", "30"}, {"7000", "10"}});
    f_.FillRows(GridId::Cut, {{"2300", "7"}, {"1700", "9"}});
    f_.RunAndWait();  // the backup holds this job
    const QString other = f_.Folder().filePath("paste30.QZL");
    WriteFile(other, ReadFile(Example("full-cut-list.qzl")));
    f_.dialogs.openAnswers = {other};
    f_.Trigger("Open1");
    QCOMPARE(f_.Field(FieldId::Kerf)->text(), QString("  3"));
    TypeIntoName("x");
    QVERIFY(Title().endsWith("paste30.QZL *"));

    f_.dialogs.shown.clear();
    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Cancel};
    Reload();
    QCOMPARE(f_.dialogs.Texts("save changes"), QStringList{"変更を保存しますか？"});
    QCOMPARE(f_.Field(FieldId::Kerf)->text(), QString("  3"));  // nothing was replaced

    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Discard};
    Reload();
    QCOMPARE(f_.Grid(GridId::Cut)->Cell(1, 1), QString("  2300"));
    QCOMPARE(f_.window->SaveFileName(), QString());
    QVERIFY2(Title().endsWith(" 無題"), qPrintable(Title()));
    // Save asks for a name rather than overwrite the file opened before.
    f_.dialogs.shown.clear();
    f_.Trigger("Save1");
    QCOMPARE(f_.dialogs.Kinds(), QStringList{"save"});
    QCOMPARE(ReadFile(other), ReadFile(Example("full-cut-list.qzl")));
  }

  void TheTitleMarksChangesAndClosingOrOpeningAsksToSaveThem() {
    QVERIFY(!Title().endsWith("*"));
    TypeIntoName("H");
    QVERIFY2(Title().endsWith(" 無題 *"), qPrintable(Title()));

    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Cancel};
    f_.window->close();
    QVERIFY(f_.window->isVisible());

    // Opening another job: 保存 saves first, through the save dialog for a job without a name.
    const QString reference = f_.Folder().filePath("ref.qzl");
    WriteFile(reference, ReadFile(Example("reference.qzl")));
    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Save};
    f_.dialogs.saveAnswers = {f_.Folder().filePath("mine")};
    f_.dialogs.openAnswers = {reference};
    f_.Trigger("Open1");
    QVERIFY(ReadFile(f_.Folder().filePath("mine.QZL")).contains("edBname     =H\r\n"));
    QCOMPARE(f_.Field(FieldId::ProjectName)->text(), QString("港北物流センター新築工事"));
    QVERIFY(Title().endsWith("ref.qzl"));

    // A save that does not happen keeps the window open; 保存しない closes it.
    TypeIntoName("y");
    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Save};
    QVERIFY(QFile::remove(reference));  // Save then asks for a name, and is cancelled
    f_.window->close();
    QVERIFY(f_.window->isVisible());
    f_.dialogs.saveChangesAnswers = {Dialogs::SaveAnswer::Discard};
    f_.window->close();
    QVERIFY(!f_.window->isVisible());
  }

  void SaveKeepsQzlAsTypedAndOpenFindsItInAnyCase() {
    f_.Field(FieldId::ProjectName)->SetText("case");
    f_.dialogs.saveAnswers = {f_.Folder().filePath("paste30.qzl")};
    f_.Trigger("SaveAs1");
    QVERIFY(QFile::exists(f_.Folder().filePath("paste30.qzl")));
    QVERIFY(!QFile::exists(f_.Folder().filePath("paste30.QZL")));
    QVERIFY(Title().endsWith("paste30.qzl"));

    f_.OpenFresh();
    WriteFile(f_.Folder().filePath("job.qzl"), ReadFile(Example("reference.qzl")));
    f_.dialogs.openAnswers = {f_.Folder().filePath("job.QZL")};
    f_.Trigger("Open1");
    QCOMPARE(f_.dialogs.Texts("error"), QStringList());
    QCOMPARE(f_.window->SaveFileName(), f_.Folder().filePath("job.qzl"));
  }

  void NoPlanSaysWhyAndClearsTheLossRates_data() {
    QTest::addColumn<QString>("stock");
    QTest::addColumn<QString>("pieces");
    QTest::addColumn<QString>("why");
    QTest::newRow("a piece longer than every bar")
        << "1"
        << "6500"
        << "6500mm の部材が入る素材がありません（最長 6000mm＋余裕 0mm）";
    QTest::newRow("too little stock") << "1"
                                      << "2000"
                                      << "素材が少なくとも 6.000m 足りません";
  }
  void NoPlanSaysWhyAndClearsTheLossRates() {
    QFETCH(QString, stock);
    QFETCH(QString, pieces);
    QFETCH(QString, why);
    f_.FillRows(GridId::Stock, {{"6000", "30"}});
    f_.FillRows(GridId::Cut, {{"2000", "6"}});
    f_.RunAndWait();
    QCOMPARE(f_.Label("lbZhiMin"), QString("  0.000 %"));
    f_.FillRows(GridId::Stock, {{"6000", stock}});
    f_.FillRows(GridId::Cut, {{pieces, "6"}});
    f_.RunAndWait();
    QCOMPARE(f_.dialogs.Texts("information"), QStringList{"ヨビナ不能です。\n" + why});
    QCOMPARE(f_.Label("lbZhiMin"), QString("・・・・・"));
    QCOMPARE(f_.Label("lbZhi"), QString("　ロス率"));
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::UnsavedChangesTest)
#include "unsaved_changes_test.moc"
