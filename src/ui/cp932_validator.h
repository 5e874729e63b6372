// Refuses, as they are typed, characters that code page 932 cannot hold and
// text beyond a typing limit counted in code page 932 bytes.
#pragma once

#include <QValidator>

class QLineEdit;

namespace yobina {

class Cp932Validator : public QValidator {
  Q_OBJECT
 public:
  // byteLimit < 0: no limit. The limit applies to typing only: a longer text
  // set by the program stays, and may shrink, but not grow.
  Cp932Validator(QLineEdit* edit, int byteLimit);

  State validate(QString& input, int& position) const override;

  // Call before the program sets a text, so that text counts as accepted.
  void AcceptText(const QString& text);

 private:
  int byteLimit_;
  int acceptedBytes_ = 0;
};

}  // namespace yobina
