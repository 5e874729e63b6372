#include "print/qt_print_device.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPrinterInfo>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "file/atomic_file.h"
#include "file/io_error.h"
#include "file/readable_name.h"
#include "print/japanese_faces.h"
#include "print/page_sequence.h"
#include "print/paper_sizes.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr int kReferencePixels = 1000;

QString ToQString(std::string_view cp932) {
  return QString::fromStdString(Cp932ToUtf8(cp932));
}

bool SameFont(const TLogFont& a, const TLogFont& b) {
  return a.Height == b.Height && a.Width == b.Width && a.Escapement == b.Escapement && a.Weight == b.Weight &&
         a.Italic == b.Italic && a.Underline == b.Underline && a.StrikeOut == b.StrikeOut &&
         std::strncmp(a.FaceName, b.FaceName, sizeof a.FaceName) == 0;
}

std::string_view FaceNameOf(const TLogFont& font) {
  return {font.FaceName, strnlen(font.FaceName, sizeof font.FaceName)};
}

QColor ColorOf(uint32_t colorRef) {
  return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                static_cast<int>((colorRef >> 16) & 0xFF));
}

QString PdfFailureText(const std::filesystem::path& file) {
  return QStringLiteral("PDF ファイル「%1」を作成できません。")
      .arg(QString::fromStdString(ReadableFileName(file)));
}

QString BeginFailureText(const QPrinter& printer) {
  return QStringLiteral("プリンタ「%1」で印刷を始められません。").arg(printer.printerName());
}

PageChoice ChoiceOf(const QPrinter& printer) {
  PageChoice choice;
  if (printer.printRange() == QPrinter::PageRange) {
    for (const QPageRanges::Range& range : printer.pageRanges().toRangeList()) {
      choice.Ranges.emplace_back(range.from, range.to);
    }
  }
  // A printer that makes copies itself gets the document once.
  choice.Copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
  choice.Collate = printer.collateCopies();
  choice.LastPageFirst = printer.pageOrder() == QPrinter::LastPageFirst;
  return choice;
}

}  // namespace

QtPrintDevice::QtPrintDevice(QPrinter& printer, std::filesystem::path pdfFile, PdfFileWriter writePdf)
    : printer_(printer), pdfFile_(std::move(pdfFile)), writePdf_(std::move(writePdf)) {
  if (!writePdf_) writePdf_ = WriteFileAtomically;
}

QtPrintDevice::~QtPrintDevice() {
  if (painter_.isActive()) painter_.end();
  RestoreOutputFileName();
}

void QtPrintDevice::SetDocumentTitle(const std::string& title) {
  printer_.setDocName(ToQString(title));
}

void QtPrintDevice::ApplyPaperSetup(const TPaperSetup& setup) {
  QPageSize defaultSize(QPageSize::A4);
  if (printer_.outputFormat() == QPrinter::NativeFormat) {
    const QPrinterInfo info(printer_);
    if (!info.isNull() && info.defaultPageSize().isValid()) defaultSize = info.defaultPageSize();
  }
  printer_.setPageSize(defaultSize);
  printer_.setPageOrientation(QPageLayout::Portrait);
  printer_.setColorMode(QPrinter::Color);

  if (setup.PaperMm) {
    // Fuzzy: a size of a named paper (A4 for a sheet of labels) takes its name, which drivers know.
    printer_.setPageSize(QPageSize(QSizeF(setup.PaperMm->Width, setup.PaperMm->Height), QPageSize::Millimeter,
                                   QString(), QPageSize::FuzzyMatch));
  } else {
    if (setup.PaperSize) {
      if (const auto id = PageSizeForPaperCode(*setup.PaperSize)) printer_.setPageSize(QPageSize(*id));
    }
    if (setup.Orientation == 1) printer_.setPageOrientation(QPageLayout::Portrait);
    if (setup.Orientation == 2) printer_.setPageOrientation(QPageLayout::Landscape);
  }
  if (setup.Monochrome) printer_.setColorMode(QPrinter::GrayScale);

  // The origin is the top-left of this printer's own printable area: margins
  // an earlier printer left (the page layout survives a change of printer in
  // the dialog) must go.
  if (printer_.outputFormat() == QPrinter::PdfFormat) {
    // A fresh layout: the old printer's minimum margins came along too.
    const QPageLayout layout = printer_.pageLayout();
    printer_.setPageLayout(
        QPageLayout(layout.pageSize(), layout.orientation(), PdfMarginsInPoints(), QPageLayout::Point));
  } else {
    const QPageLayout layout = printer_.pageLayout();
    printer_.setPageMargins(layout.minimumMargins(), layout.units());
  }
  if (printer_.fullPage() != setup.FullPage) printer_.setFullPage(setup.FullPage);
}

void QtPrintDevice::BeginDocument() {
  if (painter_.isActive()) return;
  pages_.assign(1, {});
  const PageChoice choice = ChoiceOf(printer_);
  streamPages_ = choice.Ranges.empty() && choice.Copies <= 1 && !choice.LastPageFirst;
  pageEmitted_ = false;
  if (printer_.outputFormat() == QPrinter::PdfFormat) {
    outputFileName_ = printer_.outputFileName();
    pdfTarget_ =
        pdfFile_.empty() ? std::filesystem::path(QFile::encodeName(outputFileName_).toStdString()) : pdfFile_;
    try {
      if (streamFd_ < 0) CheckWritableTarget(pdfTarget_);
    } catch (const IoError& error) {
      throw IoError(PdfFailureText(pdfTarget_).toStdString() + error.what());
    }
    pdfBytes_.emplace(streamFd_);
    printer_.setOutputFileName(pdfBytes_->Path());
  }
  if (!painter_.begin(&printer_)) {
    const QString text = pdfBytes_ ? PdfFailureText(pdfTarget_) : BeginFailureText(printer_);
    RestoreOutputFileName();
    pdfBytes_.reset();
    throw IoError(text.toStdString());
  }
}

void QtPrintDevice::NewPage() {
  if (streamPages_ && painter_.isActive()) {
    EmitPage(pages_.back());
    pages_.back().clear();
    return;
  }
  pages_.emplace_back();
}

void QtPrintDevice::EndDocument() {
  if (!painter_.isActive()) return;
  EmitPages();
  painter_.end();
  RestoreOutputFileName();
  if (printer_.printerState() == QPrinter::Error) {
    throw IoError(QStringLiteral("印刷を終えられません。").toStdString());
  }
  if (!pdfBytes_) return;
  const std::string bytes = pdfBytes_->Finish();  // the printer has closed it
  const int streamError = pdfBytes_->SinkError();
  pdfBytes_.reset();
  if (streamFd_ >= 0) {
    if (streamError != 0)
      throw IoError(PdfFailureText(pdfTarget_).toStdString() + PlatformErrorText(streamError));
    return;
  }
  try {
    writePdf_(pdfTarget_, bytes);
  } catch (const IoError& error) {
    throw IoError(PdfFailureText(pdfTarget_).toStdString() + error.what());
  }
}

void QtPrintDevice::EmitPage(const std::vector<PageItem>& page) {
  if (page.empty()) return;
  if (pageEmitted_ && !printer_.newPage())
    throw IoError(QStringLiteral("改ページできません。").toStdString());
  pageEmitted_ = true;
  for (const PageItem& item : page) std::visit([this](const auto& drawn) { Paint(drawn); }, item);
}

void QtPrintDevice::EmitPages() {
  if (streamPages_) {
    EmitPage(pages_.back());
    pages_.clear();
    return;
  }
  std::vector<bool> hasInk;
  for (const auto& page : pages_) hasInk.push_back(!page.empty());
  bool first = true;
  for (const int index : PageSequence(hasInk, ChoiceOf(printer_))) {
    if (!first && !printer_.newPage()) throw IoError(QStringLiteral("改ページできません。").toStdString());
    first = false;
    for (const PageItem& item : pages_[static_cast<std::size_t>(index)]) {
      std::visit([this](const auto& drawn) { Paint(drawn); }, item);
    }
  }
  pages_.clear();
}

void QtPrintDevice::RestoreOutputFileName() {
  // An empty name would turn the printer back into a native one.
  if (pdfBytes_ && !outputFileName_.isEmpty()) printer_.setOutputFileName(outputFileName_);
}

int32_t QtPrintDevice::PageWidthDots() const {
  return static_cast<int32_t>(std::lround(printer_.pageRect(QPrinter::DevicePixel).width()));
}

int32_t QtPrintDevice::PageHeightDots() const {
  return static_cast<int32_t>(std::lround(printer_.pageRect(QPrinter::DevicePixel).height()));
}

int32_t QtPrintDevice::VerticalDpi() const {
  return printer_.logicalDpiY();
}

const QtPrintDevice::FamilyMetrics& QtPrintDevice::MetricsOf(const QString& family, bool bold, bool italic) {
  const QString key = family + (bold ? "|b" : "|") + (italic ? "i" : "");
  auto found = metrics_.find(key);
  if (found != metrics_.end()) return found->second;
  QFont reference(family);
  reference.setPixelSize(kReferencePixels);
  reference.setBold(bold);
  reference.setItalic(italic);
  const QFontMetricsF metrics(reference, &printer_);
  FamilyMetrics measured;
  if (metrics.ascent() + metrics.descent() > 0) measured.cellHeight = metrics.ascent() + metrics.descent();
  if (metrics.horizontalAdvance(QChar('0')) > 0)
    measured.halfWidthAdvance = metrics.horizontalAdvance(QChar('0'));
  return metrics_.emplace(key, measured).first->second;
}

void QtPrintDevice::SelectFont(const TLogFont& font) {
  if (hasFont_ && SameFont(font, lastFont_)) return;
  lastFont_ = font;
  hasFont_ = true;

  const std::string_view faceName = FaceNameOf(font);
  auto known = families_.find(faceName);
  if (known == families_.end())
    known = families_.emplace(std::string(faceName), FamilyForFaceName(faceName)).first;
  const QString& family = known->second;
  const bool bold = font.Weight >= 600;
  const bool italic = font.Italic != 0;
  const FamilyMetrics& reference = MetricsOf(family, bold, italic);

  // A negative height is the character height without the leading: the em.
  const double cell = std::max(1, std::abs(font.Height));
  const double pixels = font.Height >= 0 ? cell * kReferencePixels / reference.cellHeight : cell;
  QFont made(family);
  made.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  made.setBold(bold);
  made.setItalic(italic);
  made.setUnderline(font.Underline != 0);
  made.setStrikeOut(font.StrikeOut != 0);
  made.setKerning(false);
  made.setStyleStrategy(QFont::PreferAntialias);
  font_ = made;
  unshapedFont_ = made;
  unshapedFont_.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));

  const QFontMetricsF metrics(font_, &printer_);
  ascent_ = metrics.ascent();
  const double naturalHalfWidth = reference.halfWidthAdvance * made.pixelSize() / kReferencePixels;
  horizontalScale_ = font.Width > 0 && naturalHalfWidth > 0 ? font.Width / naturalHalfWidth : 1.0;
  angleDegrees_ = font.Escapement / 10.0;
}

void QtPrintDevice::SetTextColor(uint32_t colorRef) {
  color_ = QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

void QtPrintDevice::SetTransparentBackground() {
  // Every text is drawn on a transparent background.
}

void QtPrintDevice::DrawText(int32_t x, int32_t y, const std::string& text) {
  if (!painter_.isActive() || text.empty()) return;
  QString drawn = ToQString(text);
  // The reports draw a character at a time, and shaping one printable
  // character gives its glyph as it is: the text engine's shaping took most
  // of a long PDF's time. A control character shaped is left out.
  const bool plain = drawn.size() == 1 && drawn[0].isPrint();
  pages_.back().push_back(DrawnText{plain ? unshapedFont_ : font_, color_, ascent_, angleDegrees_,
                                    horizontalScale_, x, y, std::move(drawn)});
}

void QtPrintDevice::Paint(const DrawnText& drawn) {
  // The PDF engine writes out every change of state: only what differs from
  // the last item is set, rather than saving and restoring the whole state
  // around each character.
  if (painter_.font() != drawn.Font) painter_.setFont(drawn.Font);
  if (painter_.pen() != QPen(drawn.Color)) painter_.setPen(drawn.Color);
  if (painter_.backgroundMode() != Qt::TransparentMode) painter_.setBackgroundMode(Qt::TransparentMode);
  // The point is the cell's top-left corner; rotate and stretch about it.
  // Upright text keeps one stretch for a run of characters and is placed by
  // its point, so the transform changes only where the stretch does.
  QTransform frame;
  QPointF at(0, drawn.Ascent);
  if (drawn.Angle != 0) {
    frame.translate(drawn.X, drawn.Y);
    frame.rotate(-drawn.Angle);
  } else {
    at = QPointF(drawn.X / drawn.Scale, drawn.Y + drawn.Ascent);
  }
  if (drawn.Scale != 1.0) frame.scale(drawn.Scale, 1.0);
  if (painter_.transform() != frame) painter_.setTransform(frame);
  painter_.drawText(at, drawn.Text);
}

void QtPrintDevice::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colorRef) {
  if (!painter_.isActive() || right <= left || bottom <= top) return;
  const QRectF rect(left, top, static_cast<double>(right) - left, static_cast<double>(bottom) - top);
  pages_.back().push_back(FilledRect{rect, ColorOf(colorRef)});
}

void QtPrintDevice::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthDots,
                             uint32_t colorRef) {
  if (!painter_.isActive()) return;
  pages_.back().push_back(DrawnLine{QLineF(x1, y1, x2, y2), ColorOf(colorRef), std::max(1, widthDots)});
}

void QtPrintDevice::Paint(const FilledRect& rect) {
  if (!painter_.transform().isIdentity()) painter_.resetTransform();
  painter_.fillRect(rect.Rect, rect.Color);
}

void QtPrintDevice::Paint(const DrawnLine& line) {
  if (!painter_.transform().isIdentity()) painter_.resetTransform();
  const QPen pen(line.Color, line.Width, Qt::SolidLine, Qt::FlatCap);
  if (painter_.pen() != pen) painter_.setPen(pen);
  painter_.drawLine(line.Line);
}

std::unique_ptr<QPrinter> MakePdfPrinter(const QString& path) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(path);
  // Wholly new: with a printer installed the toolkit starts from its layout.
  printer->setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, PdfMarginsInPoints(), QPageLayout::Point));
  return printer;
}

QMarginsF PdfMarginsInPoints() {
  return {10, 10, 10, 10};  // the toolkit's own for PDF
}

}  // namespace yobina
