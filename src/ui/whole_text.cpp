#include "ui/whole_text.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace yobina {
namespace {

constexpr int kSmallestPixels = 6;
// QLineEdit keeps this many pixels free on each side of its text, and one for the caret.
constexpr int kLineEditInnerMargin = 2;

// The width a line edit draws its text in without scrolling it.
int TextRoom(const QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->contentsRect();
  option.lineWidth =
      edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  option.features = QStyleOptionFrame::None;
  const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  return contents.marginsRemoved(edit->textMargins()).width() - 2 * kLineEditInnerMargin - 1;
}

}  // namespace

QFont FontToFit(const QFont& base, const QString& text, int width) {
  if (QFontMetrics(base).horizontalAdvance(text) <= width) return base;
  QFont font = base;
  for (int pixels = QFontInfo(base).pixelSize() - 1; pixels >= kSmallestPixels; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).horizontalAdvance(text) <= width) break;
  }
  return font;
}

WholeTextFit::WholeTextFit(QLineEdit* edit, const QFont& base) : QObject(edit), edit_(edit), base_(base) {
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textChanged, this, &WholeTextFit::Fit);
  Fit();
}

WholeTextFit* WholeTextFit::Of(const QLineEdit* edit) {
  return edit->findChild<WholeTextFit*>(QString(), Qt::FindDirectChildrenOnly);
}

void WholeTextFit::SetBaseFont(const QFont& base) {
  base_ = base;
  Fit();
}

bool WholeTextFit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::Resize) Fit();
  return false;
}

void WholeTextFit::Fit() {
  const QFont font = FontToFit(base_, edit_->text(), TextRoom(edit_));
  if (font != edit_->font()) edit_->setFont(font);
}

}  // namespace yobina
