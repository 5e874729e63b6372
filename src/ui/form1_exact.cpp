// The 最 適 化 button: the optimal planner on a thread of its own, with its best
// plan and its lower bound in the loss-rate labels while it works. The page is
// read before and the report built after on the window's thread, as for a Run.
#include <QApplication>
#include <QDateTime>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include "app/exact_command.h"
#include "app/messages.h"
#include "app/run_labels.h"
#include "ui/dialogs.h"
#include "ui/exact_runner.h"
#include "ui/form1.h"
#include "ui/qt_input_page.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

constexpr int kButtonGap = 5;  // between 実 行 and 最 適 化
constexpr int kClockTickMs = 200;

}  // namespace

void TForm1::BuildExactCommand() {
  QPushButton* run = input_.runButton;
  exactButton_ = new QPushButton(QStringLiteral("最 適 化"), run->parentWidget());
  exactButton_->setObjectName(QStringLiteral("btnExact"));
  exactButton_->setGeometry(run->x(), run->y() + run->height() + kButtonGap, run->width(), run->height());
  exactButton_->setFont(run->font());
  exactButton_->setAutoDefault(true);
  QWidget::setTabOrder(run, exactButton_);
  connect(exactButton_, &QPushButton::clicked, this, &TForm1::ExactButtonClick);

  QMenu* edit = menuBar()->findChild<QMenu*>(QStringLiteral("Edit1"));
  edit->addSeparator();
  QAction* action = edit->addAction(QStringLiteral("最適化(&O)"));
  action->setObjectName(QStringLiteral("Exact1"));
  connect(action, &QAction::triggered, this, &TForm1::ExactButtonClick);

  exactRunner_ = new ExactRunner(this);
  connect(exactRunner_, &ExactRunner::betterPlan, this, [this](double lossRate) {
    input_.bestLossLabel->setText(ToQString(FormatBestLossLabel(lossRate)));
    input_.bestLossLabel->adjustSize();
  });
  connect(exactRunner_, &ExactRunner::betterBound, this, [this](double boundLossRate) {
    input_.trialLossLabel->setText(ToQString(FormatBoundLabel(boundLossRate)));
  });
  connect(exactRunner_, &ExactRunner::finished, this, &TForm1::ExactFinished);

  // The planner's work has no count of its own: the display shows the seconds
  // spent of its time limit.
  exactClock_ = new QTimer(this);
  exactClock_->setInterval(kClockTickMs);
  connect(exactClock_, &QTimer::timeout, this, [this] {
    const qint64 elapsedMs = QDateTime::currentMSecsSinceEpoch() - exactStartedMs_;
    input_.runProgress->SetValue(static_cast<int>(elapsedMs / 1000));
  });
}

void TForm1::StopRunning() {
  if (exactRunner_->IsBusy()) {
    exactRunner_->RequestStop();
  } else {
    workspace_->optimizer.RequestStop();
  }
}

void TForm1::ExactButtonClick() {
  if (running_) return;
  const TJob* job = nullptr;
  Guarded([&] { job = &PrepareJob(*page_, *workspace_, BackupFile()); });
  if (job == nullptr) return;  // no backup: nothing is planned, as for a Run

  // The window stays live while the planner works: keep every command that
  // would touch the job's tables out until it is over. Esc stops it.
  focusBeforeExact_ = QApplication::focusWidget();
  running_ = true;
  SetCommandsEnabled(false);
  stopShortcut_->setEnabled(true);
  input_.runProgress->Start(static_cast<int>(kDefaultExactSeconds), QStringLiteral("秒"));
  exactStartedMs_ = QDateTime::currentMSecsSinceEpoch();
  exactClock_->start();
  exactRunner_->Start(*job, kDefaultExactSeconds);
}

void TForm1::ExactFinished() {
  exactClock_->stop();
  if (exactRunner_->StopRequested()) {
    input_.runProgress->ShowStopped();
  } else {
    input_.runProgress->Finish();
  }
  stopShortcut_->setEnabled(false);
  SetCommandsEnabled(true);
  running_ = false;
  input_.trialLossLabel->setText(LossLabelCaption());

  ExactOutcome outcome;
  bool finished = false;
  Guarded([&] {
    outcome = FinishExactCommand(*page_, *workspace_, exactRunner_->Job(), exactRunner_->Result());
    finished = true;
  });
  if (outcome.PlanFound) {
    input_.bestLossLabel->setText(ToQString(FormatBestLossLabel(workspace_->lastPlan.LossRate)));
    input_.bestLossLabel->adjustSize();
  }
  if (closeAfterRun_) {
    QTimer::singleShot(0, this, &QWidget::close);
    return;
  }
  if (focusBeforeExact_) focusBeforeExact_->setFocus(Qt::OtherFocusReason);
  if (!finished) return;

  switch (outcome.Status) {
    case ExactStatus::Refused:
      dialogs_.ShowError(this, ToQString(outcome.Message));
      return;
    case ExactStatus::NoPlan:
      dialogs_.ShowInformation(this, FromUtf8(message::kNoPlan));
      return;
    default:
      break;
  }
  if (!outcome.PlanFound) {
    // Stopped before a plan was found: that says nothing about the job.
    if (!exactRunner_->StopRequested()) dialogs_.ShowInformation(this, FromUtf8(message::kNoPlanInTime));
    return;
  }
  ShowReport(outcome.ReportLines);
}

}  // namespace yobina
