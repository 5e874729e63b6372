// How far a long job of the window has got (a Run's trials, or any other job
// counted in steps), shown where the input page has room for it.
//
//   Start(total)  the job begins: a bar at "0 / total" appears, an earlier
//                 stopped notice goes.
//   SetValue(n)   n steps are done: the bar shows "n / total".
//   Finish()      the job ran to its end: the bar goes.
//   ShowStopped() the user stopped the job: the bar gives way to the notice
//                 "中断しました (n / total 回)", which stays until the next Start.
//
// The window's event loop must run for the bar to repaint (the Run lets it
// through after every trial). The notice is also sent out by noticeChanged
// ("" when it goes), so that another page can show it as well.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace yobina {

class RunProgressDisplay : public QWidget {
  Q_OBJECT
 public:
  explicit RunProgressDisplay(QWidget* parent);

  // `total` < 1: the end is not known; the bar only shows that work goes on
  // and the texts carry the count alone. `unit` follows the count in the notice.
  void Start(int total, const QString& unit = QStringLiteral("回"));
  // A job measured in seconds: the bar too says so, "3 / 10 秒".
  void StartClock(int totalSeconds);
  // Clamped to 0..total; a count below the last one shown is ignored.
  void SetValue(int done);
  void Finish();
  void ShowStopped();

  int Value() const { return done_; }
  int Total() const { return total_; }
  // "133 / 500" (or "3 / 10 秒") while a job works, else empty.
  QString BarText() const;
  // The stopped notice while it shows, else empty.
  QString Notice() const;

 signals:
  void noticeChanged(const QString& notice);

 private:
  QString Count() const;
  QString BarCount() const;
  void SetNotice(const QString& notice);

  QProgressBar* bar_;
  QLabel* notice_;
  int total_ = 0;
  int done_ = 0;
  bool working_ = false;
  QString unit_;
  bool unitOnBar_ = false;
};

}  // namespace yobina
