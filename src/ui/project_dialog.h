// ファイル → 一括計画…: a building's parts list (with a catalogue and bars on
// hand) planned section by section on a thread of its own, as
// `yobina-cli --project` does. A table shows each section's state (待機中,
// 計画中, 証明済, 差 x m, 計画なし) under a progress bar; 中止 stops with the
// sections done so far. Once planned, 購入リスト印刷 prints the purchase list,
// フォルダに保存… writes the output folder as one run (see BuildingFolder; 中止
// stops it too, leaving the folder as it was), and a double click on a section
// opens its job in the main window. The sections' full results wait in a
// SectionStore in the temporary folder; the dialog keeps their summaries.
#pragma once

#include <QDialog>
#include <QString>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "project/building_folder.h"
#include "project/project_result.h"
#include "project/section_store.h"
#include "ui/thread_mailbox.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace yobina {

class Dialogs;
struct PlanResult;

// Opens a planned section's job in the main window: `file` is its saved job
// file, empty while the building is not saved.
using OpenSectionJob = std::function<void(const PlanResult& plan, const QString& file)>;

class ProjectDialog : public QDialog {
  Q_OBJECT
 public:
  // `startFolder`: where the file choices start.
  ProjectDialog(QWidget* parent, Dialogs& dialogs, const QString& startFolder, OpenSectionJob openSection);
  ~ProjectDialog() override;  // stops the planning and waits for its thread and a save

  bool IsPlanning() const { return worker_.joinable(); }
  // フォルダに保存… writes on a thread of its own: the PDF of a large building takes a while.
  bool IsSaving() const { return saver_.joinable(); }
  // The last building planned (summaries); null before the first, and while one is planned.
  const ProjectResult* Result() const { return result_.get(); }

 protected:
  void reject() override;  // Esc and 閉じる: a planning stops first

 private:
  void BuildWidgets();
  void ChooseCsv(QLineEdit* field);
  void StartPlanning();
  void StopPlanning();
  void SectionStarted(size_t section);
  void SectionFinished(size_t section, const SectionSummary& result);
  void PlanningFinished(std::shared_ptr<ProjectResult> result, const QString& error);
  void PrintPurchaseList();
  void SaveFolder();
  void SavingFinished(const QString& folder, const QString& error, bool stopped);
  void OpenSection(int row);
  void SetState(size_t section, const QString& state);
  void UpdateButtons();

  Dialogs& dialogs_;
  OpenSectionJob openSection_;
  QString startFolder_;
  QLineEdit* partsFile_ = nullptr;
  QLineEdit* catalogueFile_ = nullptr;
  QLineEdit* stockFile_ = nullptr;
  QSpinBox* maxLengths_ = nullptr;
  QSpinBox* kerf_ = nullptr;
  QSpinBox* margin_ = nullptr;
  QDoubleSpinBox* sectionSeconds_ = nullptr;
  QCheckBox* skipBadLines_ = nullptr;
  QCheckBox* takeOffcuts_ = nullptr;  // the user's inventory's offcuts join the bars on hand
  QTableWidget* table_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* totals_ = nullptr;
  QPushButton* planButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  std::unique_ptr<ProjectResult> result_;
  std::unique_ptr<SectionStore> store_;  // the full results of result_'s sections
  std::vector<NamedInput> inputs_;       // what result_ was planned from
  QString savedFolder_;                  // where the result's files were written; empty: not yet
  QString totalsBeforeSave_;
  std::unique_ptr<QPrinter> printer_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> stopSaving_{false};
  ThreadMailbox mailbox_;  // the threads' news, to this dialog's thread
  std::thread worker_;
  std::thread saver_;
};

}  // namespace yobina
