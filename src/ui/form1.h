// The main window: the input page and the results page in a tab control, the
// menu, the Run with its live loss rates, and the file and print commands.
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
#include "ui/results_page_widgets.h"

class QAction;
class QPushButton;
class QPrinter;
class QShortcut;
class QTabWidget;

namespace yobina {

class Dialogs;
class ExactRunner;
class InputPage;
class QtInputPage;
struct Workspace;

struct WindowSetup {
  // The program's folder: the backup's home, the working directory and the
  // file dialogs' first folder when it can be written.
  QString programFolder;
  Dialogs* dialogs = nullptr;  // not owned; outlives the window
};

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(const WindowSetup& setup, QWidget* parent = nullptr);
  ~TForm1() override;

  InputPage& Page();
  Workspace& GetWorkspace();
  const InputPageWidgets& InputWidgets() const { return input_; }
  const ResultsPageWidgets& ResultsWidgets() const { return results_; }
  QTabWidget* PageControl() const { return pageControl_; }
  // Where the backup lives; the working directory and the dialogs' first folder.
  const QString& WorkFolder() const { return workFolder_; }
  std::filesystem::path BackupFile() const;
  // The target of Save; empty until a Save As or an Open.
  const QString& SaveFileName() const { return saveFileName_; }
  bool IsRunning() const { return running_; }

  static QString CaptionPrefix();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildPages();
  void BuildMenu();
  void ConnectInputPage();
  void FormCreate();
  void SetGridHeaders();
  void UpdateCaption();
  void ClearMemo();
  // The report of a plan on the results page, which comes to the front.
  void ShowReport(const std::vector<std::string>& reportLines);
  void SetCommandsEnabled(bool enabled);
  // Runs a command; a failed file or printer operation is shown in an error box.
  void Guarded(const std::function<void()>& command);
  // Loads a job file into the page; the text to show when it failed, else empty.
  QString LoadJobFile(const std::filesystem::path& file);
  // The same, showing the failure; true when the job was loaded.
  bool LoadJob(const std::filesystem::path& file);
  void SaveJob(const QString& file);

  void Button1Click();
  // The 最 適 化 button and its menu entry (form1_exact.cpp).
  void BuildExactCommand();
  void ExactButtonClick();
  void ExactFinished();
  // Asks whichever planner is working to stop with its best plan so far.
  void StopRunning();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void CatMatome1Click();
  void CatListSortClick();
  void PasteClick();
  void SpeedButton1Click();
  void BtnPrintClick();
  void BtnDiagramPrintClick();
  void SendMailMeClick();
  void DownLoadClick();

  Dialogs& dialogs_;
  QString workFolder_;
  QTabWidget* pageControl_ = nullptr;
  QWidget* tabSheet1_ = nullptr;
  QWidget* tabSheet2_ = nullptr;
  QWidget* diagramSheet_ = nullptr;
  InputPageWidgets input_;
  ResultsPageWidgets results_;
  DiagramPageWidgets diagrams_;
  std::unique_ptr<QtInputPage> page_;
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<QPrinter> printer_;  // keeps the print dialog's choice for the session
  QShortcut* stopShortcut_ = nullptr;
  QString saveFileName_;
  QString openFileName_;
  QString jobFileName_;   // shown in the caption
  QString startupError_;  // shown once the window is on screen
  bool running_ = false;
  bool closeAfterRun_ = false;
  QPushButton* exactButton_ = nullptr;
  ExactRunner* exactRunner_ = nullptr;  // a child: stops and joins its thread when the window goes
  QPointer<QWidget> focusBeforeExact_;
  QTimer* exactClock_ = nullptr;  // moves the progress display through the planner's seconds
  qint64 exactStartedMs_ = 0;
};

}  // namespace yobina
