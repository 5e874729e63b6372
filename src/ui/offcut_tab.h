// The 【残材】 tab: the offcut inventory of the job's section (or of every
// section, on a switch), and its three commands. "在庫から素材へ" puts the
// section's offcuts into the free stock rows, and the tab remembers which rows
// came from which entries (not in the job file); "残材を在庫へ" shows what the
// current plan would change (its offcuts in, the taken bars it cuts out) and,
// once confirmed, does it in one transaction; "削除" removes an entry that
// was sold or scrapped. Every message goes through the dialogs interface.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "app/offcut_stock.h"
#include "inventory/inventory.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace yobina {

class Dialogs;

// What the tab needs of the window.
struct OffcutTabHooks {
  std::function<JobDocument()> pageDocument;        // the job on the page, with the offcut setting
  std::function<void(const JobDocument&)> setPage;  // writes a job onto the page
  std::function<const PlanResult*()> currentPlan;   // the plan of the job on the page, if any
  std::function<QString()> jobFileName;             // the job file's name, empty for none
};

class OffcutTab : public QWidget {
  Q_OBJECT
 public:
  // `inventoryFile`: none for the user's inventory.
  OffcutTab(Dialogs& dialogs, OffcutTabHooks hooks, std::optional<std::filesystem::path> inventoryFile,
            QWidget* parent = nullptr);

  // Lists the inventory again, as it is now.
  void Refresh();
  void TakeOffcuts();
  void KeepOffcuts();
  void DeleteSelected();

  // The rows taken into the stock list and not yet kept.
  const std::vector<PlacedOffcutRow>& TakenRows() const { return taken_; }

 private:
  std::optional<Inventory> OpenInventory();
  void ShowError(const InventoryError& error);

  Dialogs& dialogs_;
  OffcutTabHooks hooks_;
  std::optional<std::filesystem::path> inventoryFile_;
  std::vector<PlacedOffcutRow> taken_;
  std::optional<JobDocument> keptDocument_;  // the job whose plan was last kept, against keeping it twice
  double keptLossRate_ = 0;
  QLabel* section_ = nullptr;
  QCheckBox* allSections_ = nullptr;
  QTableWidget* list_ = nullptr;
  QPushButton* takeButton_ = nullptr;
  QPushButton* keepButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
};

}  // namespace yobina
