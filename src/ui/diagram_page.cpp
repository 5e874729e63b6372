#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/messages.h"
#include "diagram/cutting_diagram.h"
#include "print/japanese_faces.h"
#include "text/codec.h"
#include "ui/diagram_page.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

// One endless page on the widget: the bars follow each other without page
// breaks, and the view grows to what was drawn.
constexpr int32_t kEndlessPageDots = 200000;
constexpr int kBottomGapPixels = 12;

QColor ColorOf(uint32_t colorRef) {
  return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                static_cast<int>((colorRef >> 16) & 0xFF));
}

// The print device over the widget's painter. Fonts are sized as on paper: the
// cell Height dots tall, a one-byte character Width dots wide.
class ScreenDevice : public PrintDevice {
 public:
  ScreenDevice(QPainter& painter, int32_t width, int32_t dpi) : painter_(painter), width_(width), dpi_(dpi) {}

  void SetDocumentTitle(const std::string&) override {}
  void ApplyPaperSetup(const TPaperSetup&) override {}
  void BeginDocument() override {}
  void NewPage() override {}
  void EndDocument() override {}
  int32_t PageWidthDots() const override { return width_; }
  int32_t PageHeightDots() const override { return kEndlessPageDots; }
  int32_t VerticalDpi() const override { return dpi_; }

  void SelectFont(const TLogFont& logFont) override {
    const size_t faceLength = strnlen(logFont.FaceName, sizeof logFont.FaceName);
    QFont font(FamilyForFaceName(std::string_view(logFont.FaceName, faceLength)));
    font.setPixelSize(100);
    const QFontMetricsF reference(font, painter_.device());
    const double cell = std::max(1.0, reference.ascent() + reference.descent());
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(std::max(1, logFont.Height) * 100 / cell))));
    font.setKerning(false);
    const QFontMetricsF metrics(font, painter_.device());
    ascent_ = metrics.ascent();
    const double natural = metrics.horizontalAdvance(QChar('0'));
    scale_ = logFont.Width > 0 && natural > 0 ? logFont.Width / natural : 1.0;
    font_ = font;
  }
  void SetTextColor(uint32_t colorRef) override { textColor_ = ColorOf(colorRef); }
  void SetTransparentBackground() override {}
  void DrawText(int32_t x, int32_t y, const std::string& text) override {
    painter_.save();
    painter_.setFont(font_);
    painter_.setPen(textColor_);
    painter_.translate(x, y);
    painter_.scale(scale_, 1.0);
    painter_.drawText(QPointF(0, ascent_), QString::fromStdString(Cp932ToUtf8(text)));
    painter_.restore();
    Reach(y + font_.pixelSize());
  }
  void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colorRef) override {
    if (right <= left || bottom <= top) return;
    painter_.fillRect(QRectF(left, top, double(right) - left, double(bottom) - top), ColorOf(colorRef));
    Reach(bottom);
  }
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthDots,
                uint32_t colorRef) override {
    painter_.setPen(QPen(ColorOf(colorRef), std::max(1, widthDots), Qt::SolidLine, Qt::FlatCap));
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    Reach(std::max(y1, y2));
  }

  int32_t Bottom() const { return bottom_; }

 private:
  void Reach(int32_t y) { bottom_ = std::max(bottom_, y); }

  QPainter& painter_;
  int32_t width_;
  int32_t dpi_;
  QFont font_;
  double ascent_ = 0;
  double scale_ = 1;
  QColor textColor_ = Qt::black;
  int32_t bottom_ = 0;
};

}  // namespace

DiagramView::DiagramView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DiagramView"));
  setAutoFillBackground(true);
  setPalette(QPalette(Qt::white));
}

void DiagramView::SetResult(const PlanResult* result) {
  result_ = result;
  update();
}

void DiagramView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (result_ == nullptr || !result_->Plan.HasPatterns()) {
    if (minimumHeight() != 0) setMinimumHeight(0);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect().adjusted(kBottomGapPixels, kBottomGapPixels, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     FromUtf8(message::kNoCurrentPlan));
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  ScreenDevice device(painter, width(), logicalDpiY());
  DrawCuttingDiagrams(*result_, device);
  // As tall as the bars at this width: the scroll area follows.
  const int height = device.Bottom() + kBottomGapPixels;
  if (minimumHeight() != height) setMinimumHeight(height);
}

DiagramPageWidgets BuildDiagramPage(QWidget* sheet) {
  DiagramPageWidgets w;
  auto* layout = new QVBoxLayout(sheet);
  w.printButton = new QPushButton(QStringLiteral("図 印 刷"), sheet);
  w.printButton->setObjectName(QStringLiteral("btnDiagramPrint"));
  layout->addWidget(w.printButton, 0, Qt::AlignLeft);
  w.scrollArea = new QScrollArea(sheet);
  w.scrollArea->setWidgetResizable(true);
  w.view = new DiagramView();
  w.scrollArea->setWidget(w.view);
  layout->addWidget(w.scrollArea, 1);
  return w;
}

}  // namespace yobina
