#include "ui/print/qt_print_device.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPrinterInfo>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "file/io_error.h"
#include "text/codec.h"
#include "ui/print/japanese_faces.h"
#include "ui/print/paper_sizes.h"

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

QString BeginFailureText(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    return QStringLiteral("PDF ファイル「%1」を作成できません。").arg(printer.outputFileName());
  }
  return QStringLiteral("プリンタ「%1」で印刷を始められません。").arg(printer.printerName());
}

}  // namespace

QtPrintDevice::QtPrintDevice(QPrinter& printer) : printer_(printer) {}

QtPrintDevice::~QtPrintDevice() {
  if (painter_.isActive()) painter_.end();
}

void QtPrintDevice::SetDocumentTitle(const std::string& title) {
  printer_.setDocName(ToQString(title));
}

void QtPrintDevice::ApplyPaperSetup(const TPaperSetup& setup) {
  QPageSize defaultSize(QPageSize::A4);
  QPrinter::DuplexMode defaultDuplex = QPrinter::DuplexNone;
  if (printer_.outputFormat() == QPrinter::NativeFormat) {
    const QPrinterInfo info(printer_);
    if (!info.isNull() && info.defaultPageSize().isValid()) defaultSize = info.defaultPageSize();
    if (!info.isNull()) defaultDuplex = info.defaultDuplexMode();
  }
  printer_.setPageSize(defaultSize);
  printer_.setPageOrientation(QPageLayout::Portrait);
  printer_.setCopyCount(1);
  printer_.setCollateCopies(true);
  printer_.setDuplex(defaultDuplex);
  printer_.setPageOrder(QPrinter::FirstPageFirst);
  printer_.setColorMode(QPrinter::Color);

  if (setup.PaperSize) {
    if (const auto id = PageSizeForPaperCode(*setup.PaperSize)) printer_.setPageSize(QPageSize(*id));
  }
  if (setup.Orientation == 1) printer_.setPageOrientation(QPageLayout::Portrait);
  if (setup.Orientation == 2) printer_.setPageOrientation(QPageLayout::Landscape);
  if (setup.Monochrome) printer_.setColorMode(QPrinter::GrayScale);
}

void QtPrintDevice::BeginDocument() {
  if (painter_.isActive()) return;
  if (!painter_.begin(&printer_)) throw IoError(BeginFailureText(printer_).toStdString());
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setPen(color_);
}

void QtPrintDevice::NewPage() {
  if (!printer_.newPage()) throw IoError(QStringLiteral("改ページできません。").toStdString());
}

void QtPrintDevice::EndDocument() {
  if (!painter_.isActive()) return;
  painter_.end();
  if (printer_.printerState() == QPrinter::Error) {
    throw IoError(QStringLiteral("印刷を終えられません。").toStdString());
  }
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

  const QString family = FamilyForFaceName(FaceNameOf(font));
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

  const QFontMetricsF metrics(font_, &printer_);
  ascent_ = metrics.ascent();
  const double naturalHalfWidth = reference.halfWidthAdvance * made.pixelSize() / kReferencePixels;
  horizontalScale_ = font.Width > 0 && naturalHalfWidth > 0 ? font.Width / naturalHalfWidth : 1.0;
  angleDegrees_ = font.Escapement / 10.0;
}

void QtPrintDevice::SetTextColor(uint32_t colorRef) {
  color_ = QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
  if (painter_.isActive()) painter_.setPen(color_);
}

void QtPrintDevice::SetTransparentBackground() {
  if (painter_.isActive()) painter_.setBackgroundMode(Qt::TransparentMode);
}

void QtPrintDevice::DrawText(int32_t x, int32_t y, const std::string& text) {
  if (!painter_.isActive() || text.empty()) return;
  painter_.save();
  painter_.setFont(font_);
  painter_.setPen(color_);
  painter_.setBackgroundMode(Qt::TransparentMode);
  // The point is the cell's top-left corner; rotate and stretch about it.
  painter_.translate(x, y);
  if (angleDegrees_ != 0) painter_.rotate(-angleDegrees_);
  if (horizontalScale_ != 1.0) painter_.scale(horizontalScale_, 1.0);
  painter_.drawText(QPointF(0, ascent_), ToQString(text));
  painter_.restore();
}

void QtPrintDevice::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colorRef) {
  if (!painter_.isActive() || right <= left || bottom <= top) return;
  painter_.fillRect(QRectF(left, top, static_cast<double>(right) - left, static_cast<double>(bottom) - top),
                    ColorOf(colorRef));
}

void QtPrintDevice::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthDots,
                             uint32_t colorRef) {
  if (!painter_.isActive()) return;
  painter_.save();
  painter_.setPen(QPen(ColorOf(colorRef), std::max(1, widthDots), Qt::SolidLine, Qt::FlatCap));
  painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  painter_.restore();
}

std::unique_ptr<QPrinter> MakePdfPrinter(const QString& path) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(path);
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setPageOrientation(QPageLayout::Portrait);
  return printer;
}

}  // namespace yobina
