// Keeps what the user types, pastes or drops into a line edit to what code
// page 932 and a typing limit counted in its bytes can hold: characters the
// code page lacks and line breaks are left out, and of a paste too long for
// the limit the longest head that fits goes in. A number field also takes
// full-width digits and signs as their one-byte forms. Beeps when anything
// was left out.
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace yobina {

class Cp932Validator : public QValidator {
  Q_OBJECT
 public:
  enum class Kind { Text, Number };

  // byteLimit < 0: no limit. The limit applies to the user's edits only: a
  // longer text set by the program stays, and may shrink, but not grow.
  Cp932Validator(QLineEdit* edit, int byteLimit, Kind kind = Kind::Text);

  // Never refuses an edit: it trims it instead (see above).
  State validate(QString& input, int& position) const override;

  // Sets the edit's text as the program does: exactly, whatever its length.
  void SetTextAsProgram(const QString& text);

 signals:
  // Part of an edit was left out.
  void partDropped();

 private:
  void Remember(const QString& text);

  QLineEdit* edit_;
  int byteLimit_;
  Kind kind_;
  QString lastText_;  // the text before the edit being validated
  int lastBytes_ = 0;
  bool settingByProgram_ = false;
};

}  // namespace yobina
