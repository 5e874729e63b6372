#include "ui/edit_field.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <optional>
#include <string>

#include "text/number_text.h"
#include "text/typed_number.h"
#include "ui/cp932_validator.h"
#include "ui/focus_order.h"
#include "ui/ui_text.h"
#include "ui/whole_text.h"

namespace yobina {

TEditField::TEditField(int formatCode, int byteLimit, QWidget* parent)
    : QLineEdit(parent),
      formatCode_(formatCode),
      byteLimit_(byteLimit),
      validator_(new Cp932Validator(
          this, byteLimit, formatCode != 0 ? Cp932Validator::Kind::Number : Cp932Validator::Kind::Text)) {
  setValidator(validator_);
  new WholeTextFit(this, font());
  connect(this, &TEditField::numberUnclear, this, [] { QApplication::beep(); });
  // Leaving the field for another element of the window tidies it, and shows
  // a text too long for the field from its start; a dialog or another window
  // taking the focus does neither.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (old == this && now != nullptr && now->window() == window()) {
      Normalize();
      home(false);
    }
  });
}

void TEditField::SetText(const QString& text) {
  validator_->SetTextAsProgram(text);
}

void TEditField::Normalize() {
  if (formatCode_ == 0) return;
  const std::optional<std::string> number = CleanTypedNumber(ToCp932(text()));
  if (!number) {
    emit numberUnclear();  // kept as typed, for the user to correct
    return;
  }
  const QString tidy = ToQString(RealToText(formatCode_, TextToReal(*number)));
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
