// The Run button: the Run command with its progress in the loss-rate labels.
#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include "app/messages.h"
#include "app/run_command.h"
#include "app/run_labels.h"
#include "ui/dialogs.h"
#include "ui/form1.h"
#include "ui/qt_input_page.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

// Shows the Run's loss rates and lets the window repaint after every trial.
// The trial label ends where the best rate begins, which cuts off the trial's
// number; the window caption and the progress display carry it while the Run
// works.
class LabelRunView : public RunView {
 public:
  LabelRunView(QLabel* trialLabel, QLabel* bestLabel, RunProgressDisplay* progress, QWidget* window)
      : trialLabel_(trialLabel),
        bestLabel_(bestLabel),
        progress_(progress),
        window_(window),
        caption_(window->windowTitle()) {}
  ~LabelRunView() override { window_->setWindowTitle(caption_); }

  void SetLossLabels(const std::string& lbZhi, const std::string& lbZhiMin) override {
    const QString trial = ToQString(lbZhi);
    trialLabel_->setText(trial);
    bestLabel_->setText(ToQString(lbZhiMin));
    bestLabel_->adjustSize();
    window_->setWindowTitle(caption_ + QStringLiteral("  ロス率 ") + trial.trimmed());
  }
  void SetTrialLabel(const std::string& lbZhi) override { trialLabel_->setText(ToQString(lbZhi)); }
  void SetTrialsDone(int32_t trials) override { progress_->SetValue(trials); }
  void ProcessEvents() override { QCoreApplication::processEvents(); }

 private:
  QLabel* trialLabel_;
  QLabel* bestLabel_;
  RunProgressDisplay* progress_;
  QWidget* window_;
  QString caption_;  // the caption before the Run, given back at its end
};

}  // namespace

void TForm1::Button1Click() {
  if (running_) return;
  // While the trials run, window events get through: keep every command that
  // would touch the job's tables out until the Run is over. Esc stops it.
  const QPointer<QWidget> focus = QApplication::focusWidget();
  running_ = true;
  SetCommandsEnabled(false);
  stopShortcut_->setEnabled(true);

  RunOptions options;
  options.BackupFile = BackupFile();
  RunOutcome outcome;
  bool ran = false;
  RunProgressDisplay* progress = input_.runProgress;
  progress->Start(TrialCountFromPage(*page_));
  {
    LabelRunView view(input_.trialLossLabel, input_.bestLossLabel, progress, this);
    Guarded([&] {
      outcome = RunCommand(*page_, *workspace_, view, options);
      ran = true;
    });
  }
  // A stopped Run's plan is the best of the trials done: said on screen only.
  if (ran && outcome.Stopped) {
    progress->ShowStopped();
  } else {
    progress->Finish();
  }

  stopShortcut_->setEnabled(false);
  SetCommandsEnabled(true);
  running_ = false;
  if (closeAfterRun_) {
    QTimer::singleShot(0, this, &QWidget::close);
    return;
  }
  if (focus) focus->setFocus(Qt::OtherFocusReason);
  if (!ran) return;
  if (!outcome.PlanFound) {
    // Stopped before a trial found a plan: that says nothing about the job.
    if (!outcome.Stopped) dialogs_.ShowInformation(this, FromUtf8(message::kNoPlan));
    return;
  }
  ShowReport(outcome.ReportLines);
}

void TForm1::ShowReport(const std::vector<std::string>& reportLines) {
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(reportLines.size()));
  for (const std::string& line : reportLines) lines << ToQString(line);
  results_.memo->setPlainText(lines.join(QLatin1Char('\n')));
  pageControl_->setCurrentWidget(tabSheet2_);
}

}  // namespace yobina
