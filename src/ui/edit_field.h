// An edit field of the input page: a format code that decides how its text is
// tidied when the user leaves it, a typing limit in code page 932 bytes, and
// Enter that tidies the text and moves on along the tab order.
#pragma once

#include <QLineEdit>

namespace yobina {

class Cp932Validator;

class TEditField : public QLineEdit {
  Q_OBJECT
 public:
  // formatCode 0: the text is never rewritten.
  TEditField(int formatCode, int byteLimit, QWidget* parent);

  int FormatCode() const { return formatCode_; }
  int ByteLimit() const { return byteLimit_; }
  // Sets the text as the program does: the typing limit does not apply.
  void SetText(const QString& text);
  // Rewrites a number field in its fixed-width form (zero shown as 0),
  // thousands separators dropped; text with no clean number stays as it is.
  void Normalize();

 signals:
  // Any character key (Enter included) reached the field.
  void characterTyped();
  // The field was tidied with text that holds no clean number (see CleanTypedNumber).
  void numberUnclear();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // Text an input method commits is typed text as well.
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  int formatCode_;
  int byteLimit_;
  Cp932Validator* validator_;
};

}  // namespace yobina
