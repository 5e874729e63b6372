// The print device over QPrinter and QPainter: the real printer chosen in the
// print dialog, or an A4 PDF file.
#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPrinter>
#include <QRectF>
#include <QString>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "graph/print_device.h"
#include "print/output_capture.h"

namespace yobina {

// The pages are kept until the document ends, then emitted as the print
// dialog asked: its page range, copies, collation and page order; a page with
// nothing drawn on it is left out. Where the dialog asked for every page once
// in order, each page is emitted as the next begins instead. A PDF is made in
// memory and written like a save (see WriteFileAtomically): a failed write
// leaves the old file whole.
class QtPrintDevice : public PrintDevice {
 public:
  // Writes a finished PDF's bytes to its file; throws IoError.
  using PdfFileWriter = std::function<void(const std::filesystem::path&, std::string_view)>;

  // `pdfFile`: where a PDF printer's output goes, byte for byte; empty: the
  // printer's output file name. `writePdf`: how it gets there; empty:
  // WriteFileAtomically (a caller that writes several files at once stages it).
  explicit QtPrintDevice(QPrinter& printer, std::filesystem::path pdfFile = {}, PdfFileWriter writePdf = {});
  ~QtPrintDevice() override;  // ends a document left open; an unfinished PDF is not written
  QtPrintDevice(const QtPrintDevice&) = delete;
  QtPrintDevice& operator=(const QtPrintDevice&) = delete;

  // The PDF goes into `fd` (an open, new file) as it is made, rather than
  // through the writer; `pdfFile` then only names it in messages. For a
  // document too large to hold; before BeginDocument.
  void StreamPdfInto(int fd) { streamFd_ = fd; }

  void SetDocumentTitle(const std::string& title) override;
  // Resets the paper to the chosen printer's defaults: its default size,
  // portrait, colour and its own printable area as the margins, so nothing of
  // an earlier printer stays. Then applies the set-up. The printer, its output
  // file and what the dialog chose for copies, collation, page range, page
  // order and duplex stay.
  void ApplyPaperSetup(const TPaperSetup& setup) override;

  // Throws IoError for a PDF file that cannot be written, before anything is drawn.
  void BeginDocument() override;
  void NewPage() override;
  // Emits the pages; throws IoError when the printer or the PDF file fails.
  void EndDocument() override;

  int32_t PageWidthDots() const override;
  int32_t PageHeightDots() const override;
  int32_t VerticalDpi() const override;

  // A Windows-style font: the pixel size is chosen so that ascent + descent
  // fill Height dots, and the glyphs are stretched so that a one-byte character
  // is Width dots wide.
  void SelectFont(const TLogFont& font) override;
  void SetTextColor(uint32_t colorRef) override;
  void SetTransparentBackground() override;
  void DrawText(int32_t x, int32_t y, const std::string& text) override;
  void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colorRef) override;
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthDots,
                uint32_t colorRef) override;

  // What SelectFont made of the last logical font (for tests).
  const QFont& Font() const { return font_; }
  double HorizontalScale() const { return horizontalScale_; }
  double Ascent() const { return ascent_; }

 private:
  // Cell height and one-byte advance of a family at 1000 pixels.
  struct FamilyMetrics {
    double cellHeight = 1000;
    double halfWidthAdvance = 500;
  };
  const FamilyMetrics& MetricsOf(const QString& family, bool bold, bool italic);

  // One DrawText call with the state it was made in.
  struct DrawnText {
    QFont Font;
    QColor Color;
    double Ascent = 0;
    double Angle = 0;
    double Scale = 1;
    int32_t X = 0;
    int32_t Y = 0;
    QString Text;
  };
  struct FilledRect {
    QRectF Rect;
    QColor Color;
  };
  struct DrawnLine {
    QLineF Line;
    QColor Color;
    int Width = 1;
  };
  using PageItem = std::variant<DrawnText, FilledRect, DrawnLine>;
  void EmitPages();
  void EmitPage(const std::vector<PageItem>& page);
  void Paint(const DrawnText& drawn);
  void Paint(const FilledRect& rect);
  void Paint(const DrawnLine& line);
  void RestoreOutputFileName();

  QPrinter& printer_;
  QPainter painter_;
  std::vector<std::vector<PageItem>> pages_;  // in drawing order; the open one alone when streaming
  bool streamPages_ = false;                  // every page once, in order
  bool pageEmitted_ = false;
  int streamFd_ = -1;
  std::filesystem::path pdfFile_;
  PdfFileWriter writePdf_;
  std::filesystem::path pdfTarget_;        // of the open document
  std::optional<OutputCapture> pdfBytes_;  // while a PDF document is open
  QString outputFileName_;                 // the printer's own, put back at the end
  QFont font_;
  QFont unshapedFont_;  // font_ for a single printable character
  double ascent_ = 0;
  double horizontalScale_ = 1;
  double angleDegrees_ = 0;
  QColor color_ = Qt::black;
  TLogFont lastFont_{};
  bool hasFont_ = false;
  std::map<QString, FamilyMetrics> metrics_;
  std::map<std::string, QString, std::less<>> families_;  // by face name
};

// A QPrinter that writes a PDF file at `path` (A4 portrait by default).
std::unique_ptr<QPrinter> MakePdfPrinter(const QString& path);

// The margins of every PDF: a file has no printable area of its own.
QMarginsF PdfMarginsInPoints();

}  // namespace yobina
