#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <utility>

#include "app/file_names.h"
#include "app/run_labels.h"
#include "file/data_file.h"
#include "file/page_document.h"
#include "plan/plan_result.h"
#include "report/report_builder.h"
#include "ui/dialogs.h"
#include "ui/grid_clipboard.h"
#include "ui/offcut_setting.h"
#include "ui/offcut_tab.h"
#include "ui/page_history.h"
#include "ui/plan_runner.h"
#include "ui/qt_input_page.h"
#include "ui/ui_fonts.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 504;

QString ReportText(const PlanResult& result) {
  QStringList lines;
  for (const std::string& line : ReportBuilder().BuildReport(result)) lines << ToQString(line);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

MainWindow::MainWindow(const WindowSetup& setup, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      dialogs_(*setup.dialogs),
      savedDocument_(std::make_unique<JobDocument>()),
      settings_(setup.settings) {
  setObjectName(QStringLiteral("Form1"));
  setFont(MinchoFont(17));
  setWindowIcon(QIcon(QStringLiteral(":/yobina/yobina.svg")));
  BuildPages();
  BuildMenu();
  ConnectInputPage();
  BuildPlanCommands();
  BuildUndo();
  BuildOffcutCommands();

  const QString programFolder = setup.programFolder;
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  workFolder_ = FromFsPath(ChooseWritableFolder(ToFsPath(programFolder), ToFsPath(userFolder)));

  stopShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  stopShortcut_->setContext(Qt::WindowShortcut);
  stopShortcut_->setEnabled(false);
  connect(stopShortcut_, &QShortcut::activated, this, [this] {
    if (running_) StopPlanning();
  });

  // The input page's elements have fixed places: the window starts at the
  // page's size and never gets smaller; the menu bar comes on top of it.
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(width() / 2, height() / 2));
  }
  StartUp();
}

MainWindow::~MainWindow() {
  // The planner's thread ends before the widgets it reports to go.
  delete runner_;
  // The history reads the page: it hears nothing more while the widgets go.
  delete undoKeys_;
  disconnect(qApp, nullptr, history_, nullptr);
}

QString MainWindow::CaptionPrefix() {
  return QStringLiteral("【 鉄骨・ヨビナ Ver " YOBINA_VERSION " 】");
}

InputPage& MainWindow::Page() {
  return *page_;
}

JobDocument MainWindow::PageDocument() const {
  JobDocument document = ReadDocument(*page_);
  document.OffcutMin = offcutMin_->Value();
  return document;
}

const PlanResult* MainWindow::CurrentResultFor(const JobDocument& now) const {
  return lastResult_ && lastResult_->Document == now ? lastResult_.get() : nullptr;
}

const PlanResult* MainWindow::CurrentResult() const {
  return CurrentResultFor(PageDocument());
}

bool MainWindow::HasUnsavedChanges() const {
  // The offcut setting is the user's, not the job file's.
  JobDocument page = PageDocument();
  page.OffcutMin = savedDocument_->OffcutMin;
  return page != *savedDocument_;
}

bool MainWindow::StopRequested() const {
  return runner_->Token().StopRequested();
}

std::filesystem::path MainWindow::BackupFile() const {
  return ToFsPath(QDir(workFolder_).filePath(kBackupFileName));
}

void MainWindow::BuildPages() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("PageControl1"));
  tabs_->setFont(MinchoFont(18, true));
  tabs_->tabBar()->setFocusPolicy(Qt::NoFocus);  // Tab does not stop on the page tabs
  tabs_->setMinimumSize(kClientWidth, kClientHeight);
  setCentralWidget(tabs_);

  inputSheet_ = new QWidget();
  inputSheet_->setObjectName(ElementName(kInputTab.Key));
  resultsSheet_ = new QWidget();
  resultsSheet_->setObjectName(ElementName(kResultsTab.Key));
  tabs_->addTab(inputSheet_, TabCaption(kInputTab));
  tabs_->addTab(resultsSheet_, TabCaption(kResultsTab));
  diagramSheet_ = new QWidget();
  diagramSheet_->setObjectName(QStringLiteral("DiagramSheet"));
  tabs_->addTab(diagramSheet_, QStringLiteral("【図】"));

  input_ = BuildInputPage(inputSheet_);
  results_ = BuildResultsPage(resultsSheet_);
  page_ = std::make_unique<QtInputPage>(input_);
  diagrams_ = BuildDiagramPage(diagramSheet_);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index != tabs_->indexOf(inputSheet_)) ShowCurrentPlan();
  });
}

void MainWindow::ConnectInputPage() {
  for (TEditField* field : {input_.year, input_.month, input_.day, input_.projectName, input_.memberName,
                            input_.unitWeight, input_.margin, input_.kerf}) {
    connect(field, &TEditField::characterTyped, this, &MainWindow::ClearReport);
    connect(field, &QLineEdit::textChanged, this, &MainWindow::UpdateCaption);  // the "*" of unsaved changes
    connect(field, &QLineEdit::textChanged, this,
            [this, field] { history_->NoteChange(field->objectName()); });
  }
  for (TStringGrid* grid : {input_.stockGrid, input_.cutGrid}) {
    connect(grid, &TStringGrid::characterTyped, this, &MainWindow::ClearReport);
    connect(grid, &QTableWidget::cellChanged, this, &MainWindow::UpdateCaption);
    connect(grid, &QTableWidget::cellChanged, this, [this, grid](int row, int column) {
      history_->NoteChange(QStringLiteral("%1 %2 %3").arg(grid->objectName()).arg(row).arg(column));
    });
    connect(grid, &TStringGrid::rowMoved, this, &MainWindow::SetGridHeadings);
    connect(grid, &TStringGrid::cellsLeftOut, this, [this](int rows, int columns) {
      dialogs_.ShowInformation(this, LeftOutMessage({rows, columns}));
    });
  }
  connect(input_.runProgress, &RunProgressDisplay::noticeChanged, results_.stopNotice, &QLabel::setText);
  connect(input_.trialCount, &TRadioGroup::itemClicked, this, &MainWindow::ClearReport);
  connect(input_.trialCount, &TRadioGroup::itemClicked, this, &MainWindow::UpdateCaption);
  connect(input_.trialCount, &TRadioGroup::itemClicked, this, [this] { history_->NoteChange(QString()); });
  // CLR empties its list at once: undo brings it back.
  connect(input_.clearStockButton, &QToolButton::clicked, this, [this] {
    ClearReport();
    history_->Step([this] { input_.stockGrid->ClearData(); });
  });
  connect(input_.clearCutButton, &QToolButton::clicked, this, [this] {
    ClearReport();
    history_->Step([this] { input_.cutGrid->ClearData(); });
  });
  connect(input_.reloadButton, &QToolButton::clicked, this, &MainWindow::ReloadLastRun);
  connect(results_.printButton, &QPushButton::clicked, this, &MainWindow::PrintResults);
  connect(diagrams_.printButton, &QPushButton::clicked, this, &MainWindow::PrintDiagrams);
}

void MainWindow::StartUp() {
  SetGridHeadings();
  QDir::setCurrent(workFolder_);
  // The job of the last Run comes back, unnamed; without one (a first start) the page starts empty.
  emptyDocument_ = std::make_unique<JobDocument>(PageDocument());
  if (std::error_code error; std::filesystem::exists(BackupFile(), error) || error) {
    startupError_ = LoadJobFile(BackupFile());
  }
  *savedDocument_ = PageDocument();
  history_->Reset();
  UpdateCaption();
  tabs_->setCurrentWidget(inputSheet_);
  input_.year->setFocus(Qt::OtherFocusReason);  // the first element of the page's tab order
}

void MainWindow::SetGridHeadings() {
  const QStringList headings = GridHeadings();
  input_.stockGrid->SetHeadings(headings);
  input_.cutGrid->SetHeadings(headings);
}

void MainWindow::UpdateCaption() {
  if (running_) return;  // a Run's caption carries its trial until it ends
  const QString name = jobFileName_.isEmpty() ? QStringLiteral("無題") : jobFileName_;
  const QString modified = HasUnsavedChanges() ? QStringLiteral(" *") : QString();
  setWindowTitle(CaptionPrefix() + QStringLiteral(" ") + name + modified);
}

void MainWindow::ClearReport() {
  results_.memo->clear();
  ShowLossRate(nullptr);
}

void MainWindow::ShowLossRate(const PlanResult* plan) {
  input_.trialLossLabel->setText(LossLabelCaption());
  const bool planned = plan != nullptr && plan->Status == PlanStatus::Planned && plan->Plan.HasPatterns();
  input_.bestLossLabel->setText(planned ? ToQString(FormatBestLossLabel(plan->Plan.Cuts().LossRate))
                                        : NoLossRateCaption());
  input_.bestLossLabel->adjustSize();
}

void MainWindow::ShowCurrentPlan() {
  const PlanResult* current = CurrentResult();
  const bool planned = current != nullptr && current->Plan.HasPatterns();
  diagrams_.view->SetResult(planned ? current : nullptr);
  if (!planned) {
    ClearReport();
    return;
  }
  const QString report = ReportText(*current);
  if (results_.memo->toPlainText() != report) results_.memo->setPlainText(report);
}

void MainWindow::ShowReport(const PlanResult& result) {
  results_.memo->setPlainText(ReportText(result));
  diagrams_.view->SetResult(&result);
  tabs_->setCurrentWidget(resultsSheet_);
}

void MainWindow::ForgetStalePlan() {
  if (lastResult_ == nullptr || CurrentResult() != nullptr) return;
  ClearReport();
  diagrams_.view->SetResult(nullptr);
}

void MainWindow::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {  // IoError among them
    dialogs_.ShowError(this, FromUtf8(error.what()));
  }
}

void MainWindow::SetCommandsEnabled(bool enabled) {
  input_.panel->setEnabled(enabled);
  menuBar()->setEnabled(enabled);
  results_.printButton->setEnabled(enabled);
  diagrams_.printButton->setEnabled(enabled);
  offcutTab_->setEnabled(enabled);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (startupError_.isEmpty()) return;
  // Once, over the window rather than before it.
  QTimer::singleShot(
      0, this, [this, error = std::exchange(startupError_, QString())] { dialogs_.ShowError(this, error); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (running_) {
    // The planner stops with its best plan so far; the window closes once it has returned.
    StopPlanning();
    closeAfterRun_ = true;
    event->ignore();
    return;
  }
  closeAfterRun_ = false;
  if (!MayDiscardChanges()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace yobina
