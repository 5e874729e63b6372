// The planners: 実 行 runs the trials, 最 適 化 (and its menu entry) the
// optimal planner, each on the runner's thread while the window stays live.
// The page is read once, tidied and backed up before; the labels, the window
// caption and the progress display follow the planner's reports; Esc or
// closing the window stops it with its best plan so far.
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include "app/messages.h"
#include "app/number_cells.h"
#include "app/optimal_planner.h"
#include "app/run_labels.h"
#include "app/run_planner.h"
#include "file/data_file.h"
#include "file/page_document.h"
#include "job/job_io.h"
#include "plan/no_plan_reason.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/page_history.h"
#include "ui/plan_runner.h"
#include "ui/qt_input_page.h"
#include "ui/ui_text.h"
#include "ui/whole_text.h"

namespace yobina {
namespace {

constexpr int kClockTickMs = 200;

}  // namespace

void MainWindow::BuildPlanCommands() {
  connect(input_.runButton, &QPushButton::clicked, this, [this] { StartPlanning(PlannerKind::Run); });
  connect(input_.optimizeButton, &QPushButton::clicked, this,
          [this] { StartPlanning(PlannerKind::Optimal); });
  connect(menu_.optimize, &QAction::triggered, this, [this] { StartPlanning(PlannerKind::Optimal); });

  runner_ = new PlanRunner(this);
  // A Run's trial: its rate in the trial label, which cuts off the trial's
  // number where the best rate begins, so the caption carries it too.
  connect(runner_, &PlanRunner::trialPlanned, this, [this](int trial, double lossRate, double bestLossRate) {
    const QString trialText = ToQString(FormatTrialLossLabel(lossRate, trial));
    input_.trialLossLabel->setText(trialText);
    input_.bestLossLabel->setText(ToQString(FormatBestLossLabel(bestLossRate)));
    input_.bestLossLabel->adjustSize();
    setWindowTitle(captionBeforeRun_ + QStringLiteral("  ロス率 ") + trialText.trimmed());
  });
  connect(runner_, &PlanRunner::trialEnded, input_.runProgress, &RunProgressDisplay::SetValue);
  // The optimal planner's figures say what they are.
  connect(runner_, &PlanRunner::betterPlan, this, [this](double lossRate) {
    input_.bestLossLabel->setText(ToQString(FormatPlanLabel(lossRate)));
    input_.bestLossLabel->adjustSize();
  });
  connect(runner_, &PlanRunner::betterBound, this, [this](double boundLossRate) {
    // Should the bound's text outgrow its room, a smaller font keeps it whole.
    const QString text = ToQString(FormatBoundLabel(boundLossRate));
    input_.trialLossLabel->setFont(
        FontToFit(input_.bestLossLabel->font(), text, input_.trialLossLabel->width()));
    input_.trialLossLabel->setText(text);
  });
  connect(runner_, &PlanRunner::finished, this, &MainWindow::PlanningFinished);

  // The optimal planner's work has no count of its own: the display shows the
  // seconds spent of its time limit.
  exactClock_ = new QTimer(this);
  exactClock_->setInterval(kClockTickMs);
  connect(exactClock_, &QTimer::timeout, this, [this] {
    const qint64 elapsedMs = QDateTime::currentMSecsSinceEpoch() - exactStartedMs_;
    input_.runProgress->SetValue(static_cast<int>(elapsedMs / 1000));
  });
}

void MainWindow::StopPlanning() {
  runner_->Stop(StopReason::User);
}

void MainWindow::StartPlanning(PlannerKind kind) {
  if (running_) return;
  history_->Settle();  // the user's last edit is a step before the page is tidied
  // A cell that is not one number is not planned as whatever it starts with:
  // the job is refused, the cell shown and left as typed.
  if (const std::optional<UnreadableCell> cell = FirstUnreadableCell(*page_)) {
    TStringGrid* grid = input_.Grid(cell->Grid);
    tabs_->setCurrentWidget(inputSheet_);
    grid->SetCurrentCell(cell->Column, cell->Row);
    grid->setFocus(Qt::OtherFocusReason);
    dialogs_.ShowError(this, ToQString(cell->Message));
    return;
  }
  // The page, once: tidied as every planner leaves it, and kept in the backup
  // for the next start and for ↩. No backup: nothing is planned.
  const JobDocument document = Normalized(PageDocument());
  bool backedUp = false;
  Guarded([&] {
    WriteDocument(document, *page_);
    SaveDataFile(document, BackupFile());
    backedUp = true;
  });
  history_->Rebase();  // the tidying is no edit of the user's
  if (!backedUp) return;

  // The window stays live while the planner works: keep every command that
  // would touch the job out until it is over. Esc stops it.
  focusBeforeRun_ = QApplication::focusWidget();
  running_ = true;
  runningKind_ = kind;
  lossLabelsSplit_ = input_.bestLossLabel->x();
  SetCommandsEnabled(false);
  stopShortcut_->setEnabled(true);
  captionBeforeRun_ = windowTitle();
  if (kind == PlannerKind::Run) {
    input_.runProgress->Start(TrialCountOf(document));
    runner_->Start(std::make_unique<RunPlanner>(), document);
  } else {
    // Its two figures are alike in length: the labels share the room before 実 行 evenly.
    const int room = input_.planButtons->x() - input_.trialLossLabel->x();
    input_.trialLossLabel->setFixedWidth(room / 2);
    input_.bestLossLabel->move(input_.trialLossLabel->x() + room / 2, input_.bestLossLabel->y());
    input_.runProgress->StartClock(static_cast<int>(kDefaultExactSeconds));
    exactStartedMs_ = QDateTime::currentMSecsSinceEpoch();
    exactClock_->start();
    runner_->Start(std::make_unique<OptimalPlanner>(kDefaultExactSeconds), document);
  }
}

void MainWindow::PlanningFinished() {
  exactClock_->stop();
  const PlanResult* result = runner_->Result();
  // A stopped planner's plan is the best so far: said on screen only.
  if (result != nullptr && result->Stopped) {
    input_.runProgress->ShowStopped();
  } else {
    input_.runProgress->Finish();
  }
  stopShortcut_->setEnabled(false);
  SetCommandsEnabled(true);
  running_ = false;
  input_.trialLossLabel->setFont(input_.bestLossLabel->font());
  input_.trialLossLabel->setText(LossLabelCaption());
  input_.bestLossLabel->move(lossLabelsSplit_, input_.bestLossLabel->y());
  input_.trialLossLabel->setFixedWidth(lossLabelsSplit_ - input_.trialLossLabel->x());
  UpdateCaption();

  // A refused job leaves the last plan as it was; any other result replaces it, plan or not.
  if (result != nullptr && result->Status != PlanStatus::Refused) {
    lastResult_ = std::make_unique<PlanResult>(*result);
    if (lastResult_->Status == PlanStatus::Planned && runningKind_ == PlannerKind::Optimal) {
      input_.bestLossLabel->setText(ToQString(FormatBestLossLabel(lastResult_->Plan.Cuts().LossRate)));
      input_.bestLossLabel->adjustSize();
    }
  }
  if (closeAfterRun_) {
    QTimer::singleShot(0, this, &QWidget::close);
    return;
  }
  if (focusBeforeRun_) focusBeforeRun_->setFocus(Qt::OtherFocusReason);
  if (result == nullptr) {
    dialogs_.ShowError(this, runner_->Failure());
    return;
  }

  switch (result->Status) {
    case PlanStatus::Refused:
      dialogs_.ShowError(this, ToQString(result->Message));
      return;
    case PlanStatus::NoPlan: {
      // Loss rates of an earlier plan would read as this job's.
      input_.trialLossLabel->setText(LossLabelCaption());
      input_.bestLossLabel->setText(NoLossRateCaption());
      input_.bestLossLabel->adjustSize();
      const std::string reason = NoPlanReason(result->Plan.Job());
      QString text = FromUtf8(message::kNoPlan);
      if (!reason.empty()) text += QLatin1Char('\n') + ToQString(reason);
      dialogs_.ShowInformation(this, text);
      return;
    }
    case PlanStatus::NotFound:
      // Stopped before a plan was found: that says nothing about the job.
      if (!result->Stopped) dialogs_.ShowInformation(this, FromUtf8(message::kNoPlanInTime));
      return;
    case PlanStatus::Planned:
      break;
  }
  ShowReport(*lastResult_);
}

}  // namespace yobina
