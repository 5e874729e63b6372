#include "ui/cp932_validator.h"

#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <climits>

#include "text/typed_number.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

// Where an edit changed `before` into `after`: the lengths of the common head
// and tail, the tail ending no earlier than the caret after the edit.
std::pair<qsizetype, qsizetype> ChangedSpan(const QString& before, const QString& after, qsizetype caret) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype tail = 0;
  const qsizetype tailLimit = std::min(shorter, std::max<qsizetype>(after.size() - caret, 0));
  while (tail < tailLimit && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  qsizetype head = 0;
  while (head < shorter - tail && before[head] == after[head]) ++head;
  return {head, tail};
}

}  // namespace

Cp932Validator::Cp932Validator(QLineEdit* edit, int byteLimit, Kind kind)
    : QValidator(edit), edit_(edit), byteLimit_(byteLimit), kind_(kind) {
  Remember(edit->text());
  connect(edit, &QLineEdit::textChanged, this, &Cp932Validator::Remember);
  connect(this, &Cp932Validator::partDropped, this, [] { QApplication::beep(); });
}

void Cp932Validator::Remember(const QString& text) {
  lastText_ = text;
  lastBytes_ = static_cast<int>(ToCp932(text).size());
}

void Cp932Validator::SetTextAsProgram(const QString& text) {
  settingByProgram_ = true;
  edit_->setText(text);
  settingByProgram_ = false;
  Remember(text);
}

QValidator::State Cp932Validator::validate(QString& input, int& position) const {
  if (settingByProgram_ || input == lastText_) return Acceptable;
  const auto [head, tail] = ChangedSpan(lastText_, input, position);
  const QString inserted = input.mid(head, input.size() - head - tail);
  const QString keptHead = input.left(head);
  const QString keptTail = input.right(tail);

  const int allowed = byteLimit_ < 0 ? INT_MAX : std::max(byteLimit_, lastBytes_);
  int bytes = static_cast<int>(ToCp932(keptHead).size() + ToCp932(keptTail).size());
  QString kept;
  bool dropped = false;
  for (qsizetype i = 0; i < inserted.size(); ++i) {
    QString one = inserted.mid(i, inserted[i].isHighSurrogate() ? 2 : 1);
    i += one.size() - 1;
    if (kind_ == Kind::Number && one[0].unicode() >= 0x80 && FitsCp932(one)) {
      one = ToQString(FoldFullWidthNumber(ToCp932(one)));
    }
    int size = 0;
    if (!IsStorableCharacter(one, &size)) {
      dropped = true;
      continue;
    }
    if (bytes + size > allowed) {
      dropped = true;
      break;  // the longest head that fits, never half a character
    }
    kept += one;
    bytes += size;
  }
  if (kept != inserted) {
    input = keptHead + kept + keptTail;
    position = static_cast<int>(head + kept.size());
  }
  if (dropped) emit const_cast<Cp932Validator*>(this)->partDropped();
  return Acceptable;
}

}  // namespace yobina
