// The Qt print device: paper set-up, Windows-style font sizes, text placed by
// the top-left of its cell, and PDF output.
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

#include "file/file_size_limit.h"
#include "file/io_error.h"
#include "print/japanese_faces.h"
#include "print/page_sequence.h"
#include "print/paper_sizes.h"
#include "print/qt_print_device.h"
#include "text/codec.h"

namespace yobina::test {
namespace {

TLogFont LogFont(int32_t height, int32_t width, const char* utf8Face) {
  TLogFont font;
  font.Height = height;
  font.Width = width;
  font.Weight = 400;
  font.CharSet = 128;
  const std::string face = Cp932(utf8Face);
  std::memcpy(font.FaceName, face.data(), std::min(face.size(), sizeof font.FaceName - 1));
  return font;
}

TPaperSetup A4Portrait() {
  TPaperSetup setup;
  setup.PaperSize = 9;
  setup.Orientation = 1;
  return setup;
}

// pdftotext's words with their boxes in points, or an empty text without poppler.
QString PdfWordBoxes(const QString& pdf) {
  const QString tool = QStandardPaths::findExecutable("pdftotext");
  if (tool.isEmpty()) return {};
  QProcess process;
  process.start(tool, {"-bbox", pdf, "-"});
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

// pdftotext's text, pages ending in a form feed, or an empty text without poppler.
QString PdfText(const QString& pdf) {
  const QString tool = QStandardPaths::findExecutable("pdftotext");
  if (tool.isEmpty()) return {};
  QProcess process;
  process.start(tool, {pdf, "-"});
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

// A document of `pages` pages, each with "pN" on it, and an empty page after them.
void PrintNumberedPages(QPrinter& printer, int pages) {
  QtPrintDevice device(printer);
  device.ApplyPaperSetup(A4Portrait());
  device.BeginDocument();
  device.SelectFont(LogFont(device.VerticalDpi() / 6, 0, "ＭＳ 明朝"));
  for (int page = 1; page <= pages; ++page) {
    std::string text = std::to_string(page);
    text.insert(0, 1, 'p');  // GCC 12 at -O3 warns falsely about "p" + std::string
    device.DrawText(100, 100, text);
    device.NewPage();
  }
  device.EndDocument();
}

}  // namespace

class QtPrintDeviceTest : public QObject {
  Q_OBJECT

 private slots:
  void PaperCodesNameQtPageSizes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("size");  // -1: none
    QTest::newRow("A2") << 66 << int(QPageSize::A2);
    QTest::newRow("A3") << 8 << int(QPageSize::A3);
    QTest::newRow("A4") << 9 << int(QPageSize::A4);
    QTest::newRow("B4 is the Japanese B4") << 12 << int(QPageSize::JisB4);
    QTest::newRow("B5 is the Japanese B5") << 13 << int(QPageSize::JisB5);
    QTest::newRow("letter is not offered") << 1 << -1;
    QTest::newRow("zero") << 0 << -1;
  }
  void PaperCodesNameQtPageSizes() {
    QFETCH(int, code);
    QFETCH(int, size);
    const auto id = PageSizeForPaperCode(static_cast<int16_t>(code));
    QCOMPARE(id.has_value() ? int(*id) : -1, size);
  }

  void PaperSetupResetsThePrinterFirst_data() {
    QTest::addColumn<int>("paper");  // -1: none
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("expectedSize");
    QTest::addColumn<int>("expectedOrientation");
    QTest::newRow("A4 upright") << 9 << 1 << int(QPageSize::A4) << int(QPageLayout::Portrait);
    QTest::newRow("B5 sideways") << 13 << 2 << int(QPageSize::JisB5) << int(QPageLayout::Landscape);
    QTest::newRow("unknown paper keeps the default")
        << 99 << 1 << int(QPageSize::A4) << int(QPageLayout::Portrait);
    QTest::newRow("nothing given") << -1 << -1 << int(QPageSize::A4) << int(QPageLayout::Portrait);
  }
  void PaperSetupResetsThePrinterFirst() {
    QFETCH(int, paper);
    QFETCH(int, orientation);
    QFETCH(int, expectedSize);
    QFETCH(int, expectedOrientation);
    QTemporaryDir folder;
    auto printer = MakePdfPrinter(folder.filePath("out.pdf"));
    // What a print dialog may have left.
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setCopyCount(4);
    printer->setColorMode(QPrinter::Color);

    QtPrintDevice device(*printer);
    TPaperSetup setup;
    if (paper >= 0) setup.PaperSize = static_cast<int16_t>(paper);
    if (orientation >= 0) setup.Orientation = static_cast<int16_t>(orientation);
    device.ApplyPaperSetup(setup);
    QCOMPARE(int(printer->pageLayout().pageSize().id()), expectedSize);
    QCOMPARE(int(printer->pageLayout().orientation()), expectedOrientation);
    QCOMPARE(printer->copyCount(), 4);  // what the dialog chose stays
    QCOMPARE(printer->colorMode(), QPrinter::GrayScale);
    QCOMPARE(printer->outputFileName(), folder.filePath("out.pdf"));
  }

  // A label printer's paper in mm, drawn on from its corner; a later set-up is back to the printable area.
  void PaperInMillimetresFromItsCorner() {
    QTemporaryDir folder;
    auto printer = MakePdfPrinter(folder.filePath("out.pdf"));
    QtPrintDevice device(*printer);
    TPaperSetup label;
    label.PaperMm = TPaperSetup::Millimetres{70, 37};
    label.FullPage = true;
    device.ApplyPaperSetup(label);
    const QSizeF size = printer->pageLayout().fullRect(QPageLayout::Millimeter).size();
    QVERIFY(std::abs(size.width() - 70) < 0.1 && std::abs(size.height() - 37) < 0.1);
    const double dotsPerMm = device.VerticalDpi() / 25.4;
    // The whole paper, as the toolkit rounds it to points.
    QVERIFY(std::abs(device.PageWidthDots() - 70 * dotsPerMm) < dotsPerMm / 2);
    QVERIFY(std::abs(device.PageHeightDots() - 37 * dotsPerMm) < dotsPerMm / 2);

    label.PaperMm = TPaperSetup::Millimetres{210, 297};
    device.ApplyPaperSetup(label);
    QCOMPARE(printer->pageLayout().pageSize().id(), QPageSize::A4);  // named, for the drivers
    device.ApplyPaperSetup(A4Portrait());
    QVERIFY(!printer->fullPage());
    QVERIFY(device.PageWidthDots() < 209 * dotsPerMm);
  }

  void PdfPrinterIsA4PortraitAtHighResolution() {
    QTemporaryDir folder;
    auto printer = MakePdfPrinter(folder.filePath("out.pdf"));
    QtPrintDevice device(*printer);
    QCOMPARE(printer->outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(printer->pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(device.VerticalDpi(), printer->resolution());
    QVERIFY(device.VerticalDpi() >= 600);
    // The printable area in dots fits the 210 × 297 mm sheet.
    const double dotsPerMm = device.VerticalDpi() / 25.4;
    QVERIFY(device.PageWidthDots() <= 210 * dotsPerMm + 1);
    QVERIFY(device.PageWidthDots() > 180 * dotsPerMm);
    QVERIFY(device.PageHeightDots() <= 297 * dotsPerMm + 1);
    QVERIFY(device.PageHeightDots() > 260 * dotsPerMm);
  }

  void FontFillsTheCellAndThePitch_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("family");
    // The report's font at 600 and 300 dpi, the first font of a print job, a stretched one.
    QTest::newRow("Mincho 94 x 47") << "ＭＳ 明朝" << 94 << 47 << MinchoFamily();
    QTest::newRow("Mincho 47 x 23") << "ＭＳ 明朝" << 47 << 23 << MinchoFamily();
    QTest::newRow("Gothic 42 x 1") << "ＭＳ ゴシック" << 42 << 1 << GothicFamily();
    QTest::newRow("Mincho stretched") << "ＭＳ 明朝" << 100 << 100 << MinchoFamily();
    QTest::newRow("unknown face") << "no such face" << 50 << 25 << MinchoFamily();
  }
  void FontFillsTheCellAndThePitch() {
    QFETCH(QString, face);
    QFETCH(int, height);
    QFETCH(int, width);
    QFETCH(QString, family);
    QTemporaryDir folder;
    auto printer = MakePdfPrinter(folder.filePath("out.pdf"));
    QtPrintDevice device(*printer);
    device.SelectFont(LogFont(height, width, face.toUtf8().constData()));
    QCOMPARE(device.Font().family(), family);
    const QFontMetricsF metrics(device.Font(), printer.get());
    QVERIFY2(std::abs(metrics.ascent() + metrics.descent() - height) <= 1.0,
             qPrintable(QString::number(metrics.ascent() + metrics.descent())));
    const double halfWidth = metrics.horizontalAdvance(QChar('0')) * device.HorizontalScale();
    QVERIFY2(std::abs(halfWidth - width) <= 0.02 * width + 0.5, qPrintable(QString::number(halfWidth)));
    QCOMPARE(device.Ascent(), metrics.ascent());
  }

  void JapaneseFacesAreInstalled() {
    // The dependency script installs them; the report's columns rely on a fixed pitch.
    QCOMPARE(MinchoFamily(), QString("IPAMincho"));
    QCOMPARE(GothicFamily(), QString("IPAGothic"));
  }

  void BeginFailsReadablyForAnUnwritableFile() {
    auto printer = MakePdfPrinter("/nonexistent-folder/out.pdf");
    QtPrintDevice device(*printer);
    try {
      device.BeginDocument();
      QFAIL("no error");
    } catch (const IoError& error) {
      QVERIFY(QString::fromUtf8(error.what()).contains("/nonexistent-folder/out.pdf"));
    }
  }

  // A print to a margin-free device after one with half-inch margins (the
  // page layout survives the change of printer in the dialog).
  void OriginIsThePrintableAreaOfTheChosenPrinter() {
    QTemporaryDir folder;
    auto printer = MakePdfPrinter(folder.filePath("out.pdf"));
    const QRectF own = printer->pageRect(QPrinter::DevicePixel);
    const QMarginsF halfInch(36, 36, 36, 36);
    printer->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, halfInch, QPageLayout::Point, halfInch));
    QtPrintDevice device(*printer);
    device.ApplyPaperSetup(A4Portrait());
    QCOMPARE(printer->pageRect(QPrinter::DevicePixel), own);
  }

  void PagesFollowTheDialogAndNoneIsBlank() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("out.pdf");
    auto printer = MakePdfPrinter(pdf);
    PrintNumberedPages(*printer, 3);
    const QString all = PdfText(pdf);
    if (all.isEmpty()) QSKIP("pdftotext is not installed");
    QCOMPARE(all, QString("p1 p2 p3"));
    QProcess info;
    info.start(QStandardPaths::findExecutable("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages: +3\n")));

    // Two collated copies of pages 2 and 3: a PDF makes no copies itself.
    printer->setCopyCount(2);
    printer->setPrintRange(QPrinter::PageRange);
    printer->setFromTo(2, 3);
    PrintNumberedPages(*printer, 4);
    QCOMPARE(PdfText(pdf), QString("p2 p3 p2 p3"));
  }

  void PageSequenceHonoursRangeCopiesAndOrder() {
    const std::vector<bool> ink = {true, true, false, true};  // page 3 is blank
    QCOMPARE(PageSequence(ink, {}), (std::vector<int>{0, 1, 3}));
    QCOMPARE(PageSequence(ink, {{{2, 4}}, 2, true, false}), (std::vector<int>{1, 3, 1, 3}));
    QCOMPARE(PageSequence(ink, {{{1, 2}}, 2, false, false}), (std::vector<int>{0, 0, 1, 1}));
    QCOMPARE(PageSequence(ink, {{}, 1, true, true}), (std::vector<int>{3, 1, 0}));
    QCOMPARE(PageSequence(ink, {{{5, 9}}, 1, true, false}), std::vector<int>{});
  }

  // A full disk, as a file size limit makes it: the old PDF stays whole.
  void FailedPdfWriteKeepsTheOldFile() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("out.pdf");
    QFile old(pdf);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    QString failure;
    try {
      const FileSizeLimit limit(2000);
      auto printer = MakePdfPrinter(pdf);
      PrintNumberedPages(*printer, 2);
    } catch (const IoError& error) {
      failure = QString::fromUtf8(error.what());
    }

    QVERIFY2(failure.contains("ファイルが大きすぎます。"), qPrintable(failure));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  }

  void TextIsDrawnFromTheTopLeftOfItsCell() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("out.pdf");
    {
      auto printer = MakePdfPrinter(pdf);
      QtPrintDevice device(*printer);
      device.SetDocumentTitle(Cp932("ヨビナ"));
      device.ApplyPaperSetup(A4Portrait());
      device.BeginDocument();
      const int dpi = device.VerticalDpi();
      device.SelectFont(LogFont(dpi / 6, dpi / 12, "ＭＳ 明朝"));  // 12 pt cells
      device.SetTextColor(0);
      device.SetTransparentBackground();
      device.DrawText(dpi, dpi * 2, Cp932("鉄骨"));
      device.NewPage();
      device.DrawText(dpi, dpi, "page2");
      device.EndDocument();
    }
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");

    const QString boxes = PdfWordBoxes(pdf);
    if (boxes.isEmpty()) QSKIP("pdftotext is not installed");
    QVERIFY2(boxes.contains("鉄骨"), qPrintable(boxes));
    QVERIFY(boxes.contains("page2"));
    // The word's box starts one inch from the printable area's left and two
    // inches from its top (72 points an inch), whatever the margins.
    const QRegularExpression word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">鉄骨)re");
    const QRegularExpressionMatch match = word.match(boxes);
    QVERIFY2(match.hasMatch(), qPrintable(boxes));
    auto printer = MakePdfPrinter(pdf);
    const QRectF area = printer->pageRect(QPrinter::Point);
    QVERIFY(std::abs(match.captured(1).toDouble() - (area.left() + 72)) < 1.5);
    QVERIFY(std::abs(match.captured(2).toDouble() - (area.top() + 144)) < 1.5);
    QVERIFY(std::abs(match.captured(3).toDouble() - (area.top() + 144 + 12)) < 1.5);
  }
};

}  // namespace yobina::test

QTEST_MAIN(yobina::test::QtPrintDeviceTest)
#include "qt_print_device_test.moc"
