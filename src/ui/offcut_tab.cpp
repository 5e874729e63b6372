#include "ui/offcut_tab.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "app/offcut_texts.h"
#include "job/job_io.h"
#include "text/number_text.h"
#include "ui/dialogs.h"
#include "ui/ui_fonts.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

enum Column { kSection, kLength, kCount, kSource, kDate, kColumns };

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  item->setTextAlignment(alignment);
  return item;
}

QString Lines(const std::vector<std::string>& lines) {
  QStringList texts;
  for (const std::string& line : lines) texts << ToQString(line);
  return texts.join(QLatin1Char('\n'));
}

}  // namespace

OffcutTab::OffcutTab(Dialogs& dialogs, OffcutTabHooks hooks,
                     std::optional<std::filesystem::path> inventoryFile, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), hooks_(std::move(hooks)), inventoryFile_(std::move(inventoryFile)) {
  setObjectName(QStringLiteral("OffcutSheet"));
  setFont(MinchoFont(17));
  section_ = new QLabel(this);
  section_->setObjectName(QStringLiteral("lbOffcutSection"));
  section_->setGeometry(12, 10, 560, 24);
  allSections_ = new QCheckBox(QStringLiteral("全部材"), this);
  allSections_->setObjectName(QStringLiteral("cbAllSections"));
  allSections_->setGeometry(600, 10, 170, 24);
  connect(allSections_, &QCheckBox::toggled, this, &OffcutTab::Refresh);

  list_ = new QTableWidget(0, kColumns, this);
  list_->setObjectName(QStringLiteral("OffcutList"));
  list_->setGeometry(8, 40, 770, 370);
  list_->setHorizontalHeaderLabels({QStringLiteral("部材名"), QStringLiteral("長さmm"),
                                    QStringLiteral("本数"), QStringLiteral("出所"),
                                    QStringLiteral("登録日")});
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->verticalHeader()->hide();
  list_->setColumnWidth(kSection, 230);
  list_->setColumnWidth(kLength, 90);
  list_->setColumnWidth(kCount, 70);
  list_->setColumnWidth(kSource, 230);
  list_->horizontalHeader()->setStretchLastSection(true);

  const auto button = [this](const char* name, const QString& text, int left) {
    auto* pushButton = new QPushButton(text, this);
    pushButton->setObjectName(QString::fromLatin1(name));
    pushButton->setGeometry(left, 420, 170, 33);
    return pushButton;
  };
  takeButton_ = button("btnTakeOffcuts", QStringLiteral("在庫から素材へ"), 8);
  keepButton_ = button("btnKeepOffcuts", QStringLiteral("残材を在庫へ"), 190);
  deleteButton_ = button("btnDeleteOffcut", QStringLiteral("削除"), 608);
  connect(takeButton_, &QPushButton::clicked, this, &OffcutTab::TakeOffcuts);
  connect(keepButton_, &QPushButton::clicked, this, &OffcutTab::KeepOffcuts);
  connect(deleteButton_, &QPushButton::clicked, this, &OffcutTab::DeleteSelected);
}

std::optional<Inventory> OffcutTab::OpenInventory() {
  InventoryResult<Inventory> opened =
      inventoryFile_ ? Inventory::Open(*inventoryFile_) : Inventory::OpenDefault();
  if (!opened) {
    ShowError(opened.Error());
    return std::nullopt;
  }
  return std::move(opened).Value();
}

void OffcutTab::ShowError(const InventoryError& error) {
  dialogs_.ShowError(this, ToQString(error.Message));
}

void OffcutTab::Refresh() {
  const std::string section = hooks_.pageDocument().MemberName;
  const bool all = allSections_->isChecked();
  section_->setText(all ? QStringLiteral("残材在庫（全部材）")
                        : QStringLiteral("部材名：") + ToQString(section));
  list_->setRowCount(0);
  std::optional<Inventory> inventory = OpenInventory();
  if (!inventory) return;
  const InventoryResult<std::vector<OffcutEntry>> entries =
      all ? inventory->List() : inventory->List(std::string_view(section));
  if (!entries) {
    ShowError(entries.Error());
    return;
  }
  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
  for (const OffcutEntry& entry : entries.Value()) {
    const int row = list_->rowCount();
    list_->insertRow(row);
    list_->setItem(row, kSection, Cell(ToQString(entry.Section)));
    list_->setItem(row, kLength, Cell(QString::number(entry.Length), right));
    list_->setItem(row, kCount, Cell(QString::number(entry.Count), right));
    list_->setItem(row, kSource, Cell(ToQString(entry.Source)));
    list_->setItem(row, kDate, Cell(QString::fromStdString(entry.Date)));
    // What 削除 removes: this entry, as many bars as shown.
    list_->item(row, kSection)->setData(Qt::UserRole, QVariant::fromValue<qint64>(entry.Id));
  }
}

void OffcutTab::TakeOffcuts() {
  const JobDocument page = hooks_.pageDocument();
  if (page.MemberName.find_first_not_of(' ') == std::string::npos) {
    dialogs_.ShowError(this, QStringLiteral("部材名を入力してください。残材は部材名ごとに在庫されます。"));
    return;
  }
  // Taking again would put the same bars on the list twice.
  taken_ = FollowTidying(page, std::move(taken_));
  const JobDocument tidied = Normalized(page);
  std::erase_if(taken_, [&](const PlacedOffcutRow& row) {
    const JobRow& now = tidied.StockRows[static_cast<std::size_t>(row.Row)];
    return TextToInt(now.Length) != row.Taken.Length || TextToInt(now.Count) != row.Taken.Count;
  });
  if (!taken_.empty()) {
    dialogs_.ShowError(this, QStringLiteral("在庫の残材は素材リストに取り込み済みです。"));
    return;
  }
  std::optional<Inventory> inventory = OpenInventory();
  if (!inventory) return;
  // The page is tidied first, as a Run does, so that the taken rows stay where
  // they are put while it is planned.
  JobDocument document = tidied;
  const InventoryResult<TakenOffcuts> taken = inventory->Take(document.MemberName, FreeStockRows(document));
  if (!taken) {
    ShowError(taken.Error());
    return;
  }
  if (taken.Value().Rows.empty() && taken.Value().RowsLeftOut == 0) {
    dialogs_.ShowInformation(this, QStringLiteral("この部材名の残材は在庫にありません。"));
    return;
  }
  for (PlacedOffcutRow& row : PlaceTakenRows(document, taken.Value().Rows)) taken_.push_back(std::move(row));
  // In the list's own number format; the rows were closed up already, so none moves.
  hooks_.setPage(Normalized(document));
  dialogs_.ShowInformation(this, ToQString(TakeSummary(taken.Value())));
}

void OffcutTab::KeepOffcuts() {
  const PlanResult* plan = hooks_.currentPlan();
  if (plan == nullptr || plan->Status != PlanStatus::Planned) {
    dialogs_.ShowError(
        this,
        QStringLiteral("計画がありません。実 行 または 最 適 化 を押してから残材を在庫へ入れてください。"));
    return;
  }
  if (keptDocument_ && *keptDocument_ == plan->Document && keptLossRate_ == plan->Plan.Cuts().LossRate) {
    dialogs_.ShowError(this, QStringLiteral("この計画の残材は在庫へ記録済みです。"));
    return;
  }
  const QString fileName = QFileInfo(hooks_.jobFileName()).fileName();
  const std::optional<KeepRequest> request =
      KeepRequestOf(*plan, taken_, OffcutSource(plan->Document, fileName.toStdString()), TodayDate());
  if (!request) {
    dialogs_.ShowError(this, QStringLiteral("計画が素材リストと合わないため、残材を在庫へ記録できません。"));
    return;
  }
  std::optional<Inventory> inventory = OpenInventory();
  if (!inventory) return;
  const InventoryResult<InventoryChanges> preview = inventory->PreviewKeep(*request);
  if (!preview) {
    ShowError(preview.Error());
    return;
  }
  if (preview.Value().Changes.empty()) {
    dialogs_.ShowInformation(this, QStringLiteral("在庫へ入れる残材も、在庫から使った残材もありません。"));
    return;
  }
  const QString question = ToQString(ChangeSummary(preview.Value())) + QStringLiteral("\n") +
                           Lines(ChangeLines(preview.Value())) +
                           QStringLiteral("\n\nこのとおり在庫を変更しますか？");
  if (!dialogs_.ConfirmOkCancel(this, question)) return;
  // Keep checks again, in its transaction, that the used bars are still there.
  const InventoryResult<InventoryChanges> changes = inventory->Keep(*request);
  if (!changes) {
    ShowError(changes.Error());
    Refresh();
    return;
  }
  taken_.clear();
  keptDocument_ = plan->Document;
  keptLossRate_ = plan->Plan.Cuts().LossRate;
  Refresh();
  dialogs_.ShowInformation(this, ToQString(ChangeSummary(changes.Value())));
}

void OffcutTab::DeleteSelected() {
  const int row = list_->currentRow();
  if (row < 0 || list_->item(row, kSection) == nullptr) {
    dialogs_.ShowError(this, QStringLiteral("削除する残材を一覧から選んでください。"));
    return;
  }
  const qint64 id = list_->item(row, kSection)->data(Qt::UserRole).toLongLong();
  const int count = list_->item(row, kCount)->text().toInt();
  const QString what = list_->item(row, kSection)->text() + QStringLiteral("  ") +
                       list_->item(row, kLength)->text() + QStringLiteral("mm × ") + QString::number(count) +
                       QStringLiteral("本");
  if (!dialogs_.ConfirmOkCancel(this, what + QStringLiteral("\nを在庫から削除しますか？"))) return;
  std::optional<Inventory> inventory = OpenInventory();
  if (!inventory) return;
  const InventoryResult<InventoryChanges> removed = inventory->Remove(EntryUse{id, count});
  if (!removed) ShowError(removed.Error());
  Refresh();
}

}  // namespace yobina
