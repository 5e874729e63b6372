// Every cell and field shows its whole text: a text wider than its room is
// drawn in a smaller font rather than cut off or ended in an ellipsis.
#pragma once

#include <QFont>
#include <QObject>

class QLineEdit;
class QString;

namespace yobina {

// `base` when `text` fits in `width` pixels; else `base` at the largest
// smaller pixel size that fits, but not below a legible 6 pixels.
QFont FontToFit(const QFont& base, const QString& text, int width);

// Keeps a line edit's whole text in view: its font shrinks as the text grows
// past the edit's room and comes back to `base` as the text shrinks.
class WholeTextFit : public QObject {
  Q_OBJECT
 public:
  WholeTextFit(QLineEdit* edit, const QFont& base);  // owned by `edit`

  void SetBaseFont(const QFont& base);
  // The fitter of `edit`, if it has one.
  static WholeTextFit* Of(const QLineEdit* edit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fit();

  QLineEdit* edit_;
  QFont base_;
};

}  // namespace yobina
