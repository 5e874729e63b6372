// The print device over QPrinter and QPainter: the real printer chosen in the
// print dialog, or an A4 PDF file.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <map>
#include <memory>
#include <string>

#include "graph/print_device.h"

namespace yobina {

class QtPrintDevice : public PrintDevice {
 public:
  explicit QtPrintDevice(QPrinter& printer);
  ~QtPrintDevice() override;  // ends a document left open
  QtPrintDevice(const QtPrintDevice&) = delete;
  QtPrintDevice& operator=(const QtPrintDevice&) = delete;

  void SetDocumentTitle(const std::string& title) override;
  // Resets the printer's page settings to their defaults (the printer, its
  // output file and the page range stay), then applies the set-up.
  void ApplyPaperSetup(const TPaperSetup& setup) override;

  void BeginDocument() override;
  void NewPage() override;
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

  QPrinter& printer_;
  QPainter painter_;
  QFont font_;
  double ascent_ = 0;
  double horizontalScale_ = 1;
  double angleDegrees_ = 0;
  QColor color_ = Qt::black;
  TLogFont lastFont_{};
  bool hasFont_ = false;
  std::map<QString, FamilyMetrics> metrics_;
};

// A QPrinter that writes a PDF file at `path` (A4 portrait by default).
std::unique_ptr<QPrinter> MakePdfPrinter(const QString& path);

}  // namespace yobina
