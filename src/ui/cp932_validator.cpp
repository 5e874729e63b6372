#include "ui/cp932_validator.h"

#include <QLineEdit>

#include "ui/ui_text.h"

namespace yobina {

Cp932Validator::Cp932Validator(QLineEdit* edit, int byteLimit) : QValidator(edit), byteLimit_(byteLimit) {
  AcceptText(edit->text());
  connect(edit, &QLineEdit::textChanged, this, &Cp932Validator::AcceptText);
}

QValidator::State Cp932Validator::validate(QString& input, int& /*position*/) const {
  int bytes = 0;
  if (!FitsCp932(input, &bytes)) return Invalid;
  if (byteLimit_ < 0 || bytes <= byteLimit_ || bytes <= acceptedBytes_) return Acceptable;
  return Invalid;
}

void Cp932Validator::AcceptText(const QString& text) {
  int bytes = 0;
  FitsCp932(text, &bytes);
  acceptedBytes_ = bytes;
}

}  // namespace yobina
