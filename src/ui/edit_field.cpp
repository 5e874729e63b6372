#include "ui/edit_field.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "text/number_text.h"
#include "ui/cp932_validator.h"
#include "ui/focus_order.h"
#include "ui/ui_text.h"

namespace yobina {

TEditField::TEditField(int formatCode, int byteLimit, QWidget* parent)
    : QLineEdit(parent), formatCode_(formatCode), validator_(new Cp932Validator(this, byteLimit)) {
  setValidator(validator_);
  // Leaving the field for another element of the window tidies it; a dialog or
  // another window taking the focus does not.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (old == this && now != nullptr && now->window() == window()) Normalize();
  });
}

void TEditField::SetText(const QString& text) {
  validator_->AcceptText(text);
  setText(text);
}

void TEditField::Normalize() {
  if (formatCode_ == 0) return;
  const QString tidy = ToQString(RealToText(formatCode_, TextToReal(ToCp932(text()))));
  if (tidy != text()) SetText(tidy);
}

void TEditField::keyPressEvent(QKeyEvent* event) {
  const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
  if (!event->text().isEmpty() && !tab) emit characterTyped();
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Normalize();
    FocusNextInTabOrder(this);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TEditField::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) emit characterTyped();
  QLineEdit::inputMethodEvent(event);
}

}  // namespace yobina
