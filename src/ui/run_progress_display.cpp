#include "ui/run_progress_display.h"

#include <QLabel>
#include <QProgressBar>
#include <QStackedLayout>
#include <algorithm>

namespace yobina {

RunProgressDisplay::RunProgressDisplay(QWidget* parent)
    : QWidget(parent), bar_(new QProgressBar(this)), notice_(new QLabel(this)) {
  auto* layout = new QStackedLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(bar_);
  layout->addWidget(notice_);
  bar_->setObjectName(QStringLiteral("runProgressBar"));
  bar_->setAlignment(Qt::AlignCenter);
  bar_->setTextVisible(true);
  notice_->setObjectName(QStringLiteral("runStopNotice"));
  QPalette palette = notice_->palette();
  palette.setColor(QPalette::WindowText, Qt::red);
  notice_->setPalette(palette);
  hide();
}

QString RunProgressDisplay::Count() const {
  return total_ > 0 ? QStringLiteral("%1 / %2").arg(done_).arg(total_) : QString::number(done_);
}

QString RunProgressDisplay::BarCount() const {
  return unitOnBar_ ? Count() + QLatin1Char(' ') + unit_ : Count();
}

void RunProgressDisplay::StartClock(int totalSeconds) {
  Start(totalSeconds, QStringLiteral("秒"));
  unitOnBar_ = true;
  bar_->setFormat(BarCount());
}

void RunProgressDisplay::Start(int total, const QString& unit) {
  unitOnBar_ = false;
  total_ = std::max(total, 0);
  done_ = 0;
  unit_ = unit;
  bar_->setRange(0, total_);  // 0..0: a busy bar
  bar_->setValue(0);
  bar_->setFormat(Count());
  working_ = true;
  SetNotice(QString());
  static_cast<QStackedLayout*>(layout())->setCurrentWidget(bar_);
  show();
}

void RunProgressDisplay::SetValue(int done) {
  if (!working_) return;
  done = total_ > 0 ? std::min(done, total_) : done;
  if (done <= done_) return;
  done_ = done;
  bar_->setValue(total_ > 0 ? done_ : 0);
  bar_->setFormat(BarCount());
}

void RunProgressDisplay::Finish() {
  working_ = false;
  SetNotice(QString());
  hide();
}

void RunProgressDisplay::ShowStopped() {
  working_ = false;
  SetNotice(QStringLiteral("中断しました (%1 %2)").arg(Count(), unit_));
  static_cast<QStackedLayout*>(layout())->setCurrentWidget(notice_);
  show();
}

QString RunProgressDisplay::BarText() const {
  return working_ ? BarCount() : QString();
}

QString RunProgressDisplay::Notice() const {
  return notice_->text();
}

void RunProgressDisplay::SetNotice(const QString& notice) {
  if (notice_->text() == notice) return;
  notice_->setText(notice);
  emit noticeChanged(notice);
}

}  // namespace yobina
