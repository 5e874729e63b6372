// The main window: the input page and the results page in a tab control, the
// menu, either planner with its live loss rates, and the file and print
// commands. It keeps the last plan made and the job as last saved; whether
// that plan is still the job's, and whether the job has unsaved changes, it
// learns by comparing them with the job on the page.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/diagram_page.h"
#include "ui/input_page_widgets.h"
#include "ui/main_menu.h"
#include "ui/results_page_widgets.h"

class QDialog;
class QPrinter;
class QSettings;
class QShortcut;
class QTabWidget;

namespace yobina {

class Dialogs;
class InputPage;
class PageHistory;
class OffcutMinSetting;
class OffcutTab;
class PlanRunner;
class QtInputPage;
struct JobDocument;
struct PlanResult;

struct WindowSetup {
  // The program's folder: the backup's home and the working directory when it
  // can be written.
  QString programFolder;
  Dialogs* dialogs = nullptr;  // not owned; outlives the window
  // Not owned; keeps the file dialogs' last folder for the next session.
  // None: the folder is remembered for this session only.
  QSettings* settings = nullptr;
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(const WindowSetup& setup, QWidget* parent = nullptr);
  ~MainWindow() override;

  InputPage& Page();
  const InputPageWidgets& InputWidgets() const { return input_; }
  const ResultsPageWidgets& ResultsWidgets() const { return results_; }
  QTabWidget* Tabs() const { return tabs_; }
  // Where the backup lives, and the working directory.
  const QString& WorkFolder() const { return workFolder_; }
  std::filesystem::path BackupFile() const;
  // The target of Save; empty until a Save As or an Open.
  const QString& SaveFileName() const { return saveFileName_; }
  bool IsRunning() const { return running_; }
  // A stop was asked of the planner that works, or of the last one.
  bool StopRequested() const;

  // The last plan made, whichever planner made it; null before the first.
  const PlanResult* LastResult() const { return lastResult_.get(); }
  // The last plan while it is the plan of the job on the page, else null.
  const PlanResult* CurrentResult() const;
  // The job on the page differs from the job as last opened or saved.
  bool HasUnsavedChanges() const;

  static QString CaptionPrefix();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  enum class PlannerKind { Run, Optimal };

  // The window itself (main_window.cpp): its pages, the caption, the plan on show.
  void BuildPages();
  void ConnectInputPage();
  // The last Run's job from the backup, with the focus on the input page's first field.
  void StartUp();
  void SetGridHeadings();
  void UpdateCaption();
  // The report and the loss rates go with the plan they came from.
  void ClearReport();
  // The loss rate labels: a plan's own figure, or none.
  void ShowLossRate(const PlanResult* plan);
  // The job on the page, read once for the command at hand.
  JobDocument PageDocument() const;
  const PlanResult* CurrentResultFor(const JobDocument& now) const;
  // The results page and 【図】 show the plan of the job on the page, or say there is none.
  void ShowCurrentPlan();
  // After a command rewrote the page: a plan no longer of this job leaves the results page.
  void ForgetStalePlan();
  // The report of a plan on the results page, which comes to the front.
  void ShowReport(const PlanResult& result);
  void SetCommandsEnabled(bool enabled);
  // Runs a command; a failed file or printer operation is shown in an error box.
  void Guarded(const std::function<void()>& command);

  // The menu bar, its commands connected, and the ヘルプ menu's links (main_window_menu.cpp).
  void BuildMenu();
  void MailSupport();
  void OpenDownloadPage();

  // The job's files (main_window_files.cpp).
  // The folder the file dialogs start in: the one last used, else the user's documents.
  QString DialogFolder() const;
  void RememberFolder(const QString& file);
  // Loads a job file into the page; the text to show when it failed, else empty.
  QString LoadJobFile(const std::filesystem::path& file);
  // The same, showing the failure; true when the job was loaded.
  bool LoadJob(const std::filesystem::path& file);
  // Before the job on the page is replaced or the window closes: with
  // unsaved changes, asks whether to save them; false when the user cancels
  // (or the save did not happen).
  bool MayDiscardChanges();
  // An empty page as at a first start, unnamed, after asking about unsaved changes.
  void NewJob();
  void OpenJob();
  // 上書き保存 and 名前を付けて保存: true when the job was saved.
  bool SaveJob();
  bool SaveJobAs();
  // True when saved; a failure is shown.
  bool WriteJob(const QString& file);
  // The job of the last Run, from the backup, as an unnamed job.
  void ReloadLastRun();

  // The 編集 menu's commands on the lists (main_window_edit.cpp), and undo
  // and redo of the input page (main_window_undo.cpp).
  void MergeEqualCuts();
  void SortCuts();
  void Paste();
  void BuildUndo();

  // Printing (main_window_print.cpp).
  QString JobName() const;
  // The print dialog suggests `name` for a PDF, in the folder of the last one.
  void SuggestPrintName(const QString& name);
  void PrintResults();
  // A passing message in the status bar, which shows only while it lasts.
  void ShowStatus(const QString& text);
  void PrintDiagrams();
  void PrintPieceLabels();

  // The planners (main_window_plan.cpp): 実 行, 最 適 化 and its menu entry, the
  // labels while they work, and what each leaves behind.
  void BuildPlanCommands();
  void StartPlanning(PlannerKind kind);
  void PlanningFinished();
  // Asks the planner that works to stop with its best plan so far.
  void StopPlanning();

  // The offcut setting on the input page and the 【残材】 tab (main_window_offcuts.cpp).
  void BuildOffcutCommands();

  // 一括計画 (main_window_project.cpp): the dialog, and a section's job opened
  // from it onto the page with its plan, after asking about unsaved changes as
  // Open does. `file`: the section's saved job file, which Save then writes;
  // empty: an unnamed job. False when nothing was opened.
  void ShowProjectDialog();
  bool OpenPlannedJob(const PlanResult& plan, const QString& file);

  Dialogs& dialogs_;
  QString workFolder_;
  QTabWidget* tabs_ = nullptr;
  QWidget* inputSheet_ = nullptr;
  QWidget* resultsSheet_ = nullptr;
  QWidget* diagramSheet_ = nullptr;
  InputPageWidgets input_;
  ResultsPageWidgets results_;
  DiagramPageWidgets diagrams_;
  MainMenu menu_;
  std::unique_ptr<QtInputPage> page_;
  std::unique_ptr<PlanResult> lastResult_;
  std::unique_ptr<JobDocument> savedDocument_;  // the job as last opened or saved
  std::unique_ptr<JobDocument> emptyDocument_;  // the page as built, before any job: 新規's page
  std::unique_ptr<QPrinter> printer_;           // keeps the print dialog's choice for the session
  QShortcut* stopShortcut_ = nullptr;
  QString saveFileName_;
  QString openFileName_;
  QString jobFileName_;  // shown in the caption
  QSettings* settings_ = nullptr;
  QString lastFolder_;
  QString startupError_;  // shown once the window is on screen
  bool running_ = false;
  bool statusBarShown_ = false;  // the status bar exists and hides itself when its message ends
  bool closeAfterRun_ = false;
  PlannerKind runningKind_ = PlannerKind::Run;
  int lossLabelsSplit_ = 0;   // where the best loss rate's label starts between plans
  QString captionBeforeRun_;  // a Run's caption carries its trial while it works
  PageHistory* history_ = nullptr;
  QObject* undoKeys_ = nullptr;   // takes Ctrl+Z and its kin from the line editors
  PlanRunner* runner_ = nullptr;  // a child: stops and joins its thread when the window goes
  QPointer<QWidget> focusBeforeRun_;
  QTimer* exactClock_ = nullptr;  // moves the progress display through the optimal planner's seconds
  qint64 exactStartedMs_ = 0;
  OffcutMinSetting* offcutMin_ = nullptr;
  OffcutTab* offcutTab_ = nullptr;
  QPointer<QDialog> projectDialog_;  // 一括計画, kept with its result while the window lives
};

}  // namespace yobina
