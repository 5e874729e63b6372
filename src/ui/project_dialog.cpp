#include "ui/project_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "file/io_error.h"
#include "plan/plan_result.h"
#include "print/project_pdf.h"
#include "project/input_file.h"
#include "project/parts_source.h"
#include "project/project_input.h"
#include "project/project_outputs.h"
#include "project/project_planner.h"
#include "project/project_print.h"
#include "project/section_offcuts.h"
#include "report/report_text.h"
#include "text/codec.h"
#include "ui/dialogs.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

enum Column { kName, kPieces, kState, kLossRate, kBought, kColumns };

// At most this many faults are listed in a message box; the rest are counted.
constexpr int kListedIssues = 20;

// Puts each section's full result in the store and hands the planning
// threads' news to the dialog's thread.
class Relay : public ProjectObserver {
 public:
  Relay(SectionStore& store, std::function<void(size_t)> started,
        std::function<void(size_t, const SectionSummary&)> finished)
      : store_(store), started_(std::move(started)), finished_(std::move(finished)) {}
  void SectionStarted(size_t section) override { started_(section); }
  void SectionFinished(size_t section, const SectionResult& result) override {
    store_.Put(section, result);
    finished_(section, SummaryOf(result));
  }

 private:
  SectionStore& store_;
  std::function<void(size_t)> started_;
  std::function<void(size_t, const SectionSummary&)> finished_;
};

QString StateOf(const SectionSummary& result) {
  if (result.HasPlan()) {
    if (result.Proof != ExactStatus::Proven)
      return QStringLiteral("差 %1 m").arg(result.GapMeters, 0, 'f', 3);
    return result.CostProven ? QStringLiteral("証明済") : QStringLiteral("証明済（最安は未証明）");
  }
  return result.Status == SectionStatus::Stopped ? QStringLiteral("中断") : QStringLiteral("計画なし");
}

// "6000×3, 12000×5": the bars bought of each length.
QString BoughtText(const SectionSummary& result) {
  QStringList bought;
  for (const PurchaseLine& line : result.Purchase) {
    if (line.Bought > 0) bought << QStringLiteral("%1×%2").arg(line.Length).arg(line.Bought);
  }
  return bought.join(QStringLiteral(", "));
}

QString IssuesText(const std::vector<LineIssue>& issues) {
  QStringList lines;
  for (size_t i = 0; i < issues.size() && i < kListedIssues; ++i)
    lines << FromUtf8(Cp932ToUtf8(IssueText(issues[i])));
  if (issues.size() > kListedIssues) lines << QStringLiteral("ほか %1 件").arg(issues.size() - kListedIssues);
  return lines.join(QLatin1Char('\n'));
}

std::optional<std::string> ReadOptionalFile(const QLineEdit* field) {
  if (field->text().trimmed().isEmpty()) return std::nullopt;
  return ReadInputFile(ToFsPath(field->text().trimmed()));
}

}  // namespace

ProjectDialog::ProjectDialog(QWidget* parent, Dialogs& dialogs, const QString& startFolder,
                             OpenSectionJob openSection)
    : QDialog(parent), dialogs_(dialogs), openSection_(std::move(openSection)), startFolder_(startFolder) {
  setObjectName(QStringLiteral("ProjectDialog"));
  setWindowTitle(QStringLiteral("一括計画"));
  BuildWidgets();
  UpdateButtons();
  resize(760, 560);
}

ProjectDialog::~ProjectDialog() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
  if (saver_.joinable()) saver_.join();
}

void ProjectDialog::BuildWidgets() {
  auto* form = new QFormLayout;
  const auto fileRow = [&](const char* name, const QString& label, QLineEdit*& field) {
    field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    auto* choose = new QPushButton(QStringLiteral("参照…"), this);
    choose->setObjectName(QString::fromLatin1(name) + QStringLiteral("Choose"));
    connect(choose, &QPushButton::clicked, this, [this, target = field] { ChooseCsv(target); });
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(choose);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    form->addRow(caption, row);
    return row;
  };
  // The parts come from a parts list or from a folder of the CAD's NC files.
  QHBoxLayout* partsRow = fileRow("PartsFile", QStringLiteral("部品表(&P)"), partsFile_);
  auto* chooseNcFolder = new QPushButton(QStringLiteral("NCフォルダ…"), this);
  chooseNcFolder->setObjectName(QStringLiteral("PartsFolderChoose"));
  connect(chooseNcFolder, &QPushButton::clicked, this, [this] {
    const QString now = partsFile_->text().trimmed();
    if (const std::optional<QString> chosen = dialogs_.ChooseFolder(this, now.isEmpty() ? startFolder_ : now))
      partsFile_->setText(*chosen);
  });
  partsRow->addWidget(chooseNcFolder);
  partsFile_->setPlaceholderText(QStringLiteral("CSV ファイル、または NC ファイル(*.nc1, *.nc)のフォルダ"));
  fileRow("CatalogueFile", QStringLiteral("定尺表(&C)"), catalogueFile_);
  fileRow("StockFile", QStringLiteral("手持ち材(&H)"), stockFile_);
  catalogueFile_->setPlaceholderText(QStringLiteral("なし: 6000～12000mm の 500mm 刻み、重量で比較"));
  stockFile_->setPlaceholderText(QStringLiteral("なし"));

  const auto spin = [this](const char* name, int most, const QString& zero) {
    auto* box = new QSpinBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, most);
    if (!zero.isEmpty()) box->setSpecialValueText(zero);
    return box;
  };
  maxLengths_ = spin("MaxLengths", 100, QStringLiteral("制限なし"));
  kerf_ = spin("Kerf", 999, {});
  margin_ = spin("Margin", 999, {});
  kerf_->setSuffix(QStringLiteral(" mm"));
  margin_->setSuffix(QStringLiteral(" mm"));
  sectionSeconds_ = new QDoubleSpinBox(this);
  sectionSeconds_->setObjectName(QStringLiteral("SectionSeconds"));
  sectionSeconds_->setRange(0.1, 3600);
  sectionSeconds_->setValue(10);
  sectionSeconds_->setSuffix(QStringLiteral(" 秒"));
  skipBadLines_ = new QCheckBox(QStringLiteral("誤りのある行を除いて計画する"), this);
  skipBadLines_->setObjectName(QStringLiteral("SkipBadLines"));
  takeOffcuts_ = new QCheckBox(QStringLiteral("在庫の残材を手持ちに加える"), this);
  takeOffcuts_->setObjectName(QStringLiteral("TakeOffcuts"));
  auto* settings = new QHBoxLayout;
  settings->addWidget(new QLabel(QStringLiteral("定尺の種類"), this));
  settings->addWidget(maxLengths_);
  settings->addWidget(new QLabel(QStringLiteral("切断代"), this));
  settings->addWidget(kerf_);
  settings->addWidget(new QLabel(QStringLiteral("余裕"), this));
  settings->addWidget(margin_);
  settings->addWidget(new QLabel(QStringLiteral("部材ごとの上限"), this));
  settings->addWidget(sectionSeconds_);
  settings->addStretch(1);
  form->addRow(QStringLiteral("設定"), settings);
  form->addRow(QString(), skipBadLines_);
  form->addRow(QString(), takeOffcuts_);

  table_ = new QTableWidget(0, kColumns, this);
  table_->setObjectName(QStringLiteral("SectionTable"));
  table_->setHorizontalHeaderLabels({QStringLiteral("部材名"), QStringLiteral("部品数"),
                                     QStringLiteral("状態"), QStringLiteral("ロス率(%)"),
                                     QStringLiteral("購入(長さ×本数)")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setColumnWidth(kName, 260);
  table_->setWordWrap(false);
  table_->verticalHeader()->setVisible(false);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenSection(row); });

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProjectProgress"));
  progress_->setRange(0, 1);
  progress_->setValue(0);
  totals_ = new QLabel(this);
  totals_->setObjectName(QStringLiteral("ProjectTotals"));

  const auto button = [this](const char* name, const QString& caption) {
    auto* pushButton = new QPushButton(caption, this);
    pushButton->setObjectName(QString::fromLatin1(name));
    pushButton->setAutoDefault(false);
    return pushButton;
  };
  planButton_ = button("PlanButton", QStringLiteral("計画(&R)"));
  stopButton_ = button("StopButton", QStringLiteral("中止(&T)"));
  printButton_ = button("PrintButton", QStringLiteral("購入リスト印刷(&L)"));
  saveButton_ = button("SaveButton", QStringLiteral("フォルダに保存(&S)…"));
  QPushButton* closeButton = button("CloseButton", QStringLiteral("閉じる"));
  connect(planButton_, &QPushButton::clicked, this, &ProjectDialog::StartPlanning);
  connect(stopButton_, &QPushButton::clicked, this, [this] {
    StopPlanning();
    stopSaving_ = true;
  });
  connect(printButton_, &QPushButton::clicked, this, &ProjectDialog::PrintPurchaseList);
  connect(saveButton_, &QPushButton::clicked, this, &ProjectDialog::SaveFolder);
  connect(closeButton, &QPushButton::clicked, this, &ProjectDialog::reject);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* each : {planButton_, stopButton_, printButton_, saveButton_}) buttons->addWidget(each);
  buttons->addStretch(1);
  buttons->addWidget(closeButton);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(table_, 1);
  layout->addWidget(progress_);
  layout->addWidget(totals_);
  layout->addLayout(buttons);
}

void ProjectDialog::ChooseCsv(QLineEdit* field) {
  const QString now = field->text().trimmed();
  const QString start =
      now.isEmpty() ? (partsFile_->text().isEmpty() ? startFolder_ : partsFile_->text()) : now;
  if (const std::optional<QString> chosen = dialogs_.ChooseCsvFile(this, start)) field->setText(*chosen);
}

void ProjectDialog::StartPlanning() {
  if (IsPlanning() || IsSaving()) return;
  const QString partsName = partsFile_->text().trimmed();
  if (partsName.isEmpty()) {
    dialogs_.ShowError(this, QStringLiteral("部品表を選んでください。"));
    return;
  }
  PartsListRead parts;
  std::optional<std::string> catalogue;
  std::optional<std::string> stock;
  const QLineEdit* reading = partsFile_;
  try {
    parts = ReadPartsSource(ToFsPath(partsName), NcLength::Saw);
    reading = catalogueFile_;
    catalogue = ReadOptionalFile(catalogueFile_);
    reading = stockFile_;
    stock = ReadOptionalFile(stockFile_);
  } catch (const std::exception& error) {
    dialogs_.ShowError(this, reading->text().trimmed() + QStringLiteral(": ") + FromUtf8(error.what()));
    return;
  }

  ProjectSettings settings;
  settings.ProjectName = ProjectNameOf(ToFsPath(partsName));
  settings.MaxLengths = maxLengths_->value();
  settings.Kerf = kerf_->value();
  settings.Margin = margin_->value();
  settings.SectionSeconds = sectionSeconds_->value();
  settings.SkipBadLines = skipBadLines_->isChecked();
  ProjectInput input = ReadProject(parts, catalogue, stock, settings);
  if (!input.Ready) {
    dialogs_.ShowError(this, QStringLiteral("入力に誤りがあります。\n") + IssuesText(input.Issues));
    return;
  }
  if (!input.Issues.empty()) {
    dialogs_.ShowInformation(this, QStringLiteral("次の行を除いて計画します。\n") + IssuesText(input.Issues));
  }
  std::vector<NamedInput> inputs = {{"部品表", ToFsPath(partsName)}};
  if (!catalogueFile_->text().trimmed().isEmpty())
    inputs.push_back({"定尺表", ToFsPath(catalogueFile_->text().trimmed())});
  if (!stockFile_->text().trimmed().isEmpty())
    inputs.push_back({"在庫表", ToFsPath(stockFile_->text().trimmed())});
  if (takeOffcuts_->isChecked()) {
    if (const std::optional<std::filesystem::path> inventory = DefaultInventoryPath())
      inputs.push_back({"残材在庫", *inventory});
    InventoryResult<Inventory> inventory = Inventory::OpenDefault();
    const InventoryResult<int64_t> taken = inventory ? TakeSectionOffcuts(inventory.Value(), input)
                                                     : InventoryResult<int64_t>(inventory.Error());
    if (!taken) {
      dialogs_.ShowError(this, FromUtf8(Cp932ToUtf8(taken.Error().Message)));
      return;
    }
  }

  std::unique_ptr<SectionStore> store;
  try {
    store = std::make_unique<SectionStore>(std::filesystem::temp_directory_path(), input.Sections.size());
  } catch (const std::exception& error) {
    dialogs_.ShowError(this, FromUtf8(error.what()));
    return;
  }
  result_.reset();
  store_ = std::move(store);
  inputs_ = std::move(inputs);
  savedFolder_.clear();
  totals_->clear();
  table_->setRowCount(static_cast<int>(input.Sections.size()));
  for (size_t s = 0; s < input.Sections.size(); ++s) {
    const int row = static_cast<int>(s);
    table_->setItem(row, kName, new QTableWidgetItem(FromUtf8(Cp932ToUtf8(input.Sections[s].Name))));
    auto* pieces = new QTableWidgetItem(QString::number(input.Sections[s].Pieces()));
    pieces->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(row, kPieces, pieces);
    for (const int column : {kState, kLossRate, kBought}) table_->setItem(row, column, new QTableWidgetItem);
    SetState(s, QStringLiteral("待機中"));
  }
  progress_->setRange(0, static_cast<int>(input.Sections.size()));
  progress_->setValue(0);

  stop_ = false;
  worker_ = std::thread([this, input = std::move(input), &store = *store_]() mutable {
    Relay relay(
        store, [this](size_t s) { mailbox_.Post([this, s] { SectionStarted(s); }); },
        [this](size_t s, const SectionSummary& r) {
          mailbox_.Post([this, s, r] { SectionFinished(s, r); });
        });
    PlanningLimits limits;
    limits.Stop = &stop_;
    std::shared_ptr<ProjectResult> result;
    QString error;
    try {
      result = std::make_shared<ProjectResult>(PlanProject(std::move(input), limits, relay));
    } catch (const std::bad_alloc&) {
      error = QStringLiteral("メモリが足りません。");
    } catch (const std::exception& failure) {
      error = FromUtf8(failure.what());  // a full disk under the store
    }
    mailbox_.Post([this, result, error] { PlanningFinished(result, error); });
  });
  UpdateButtons();
}

void ProjectDialog::StopPlanning() {
  stop_ = true;
}

void ProjectDialog::SectionStarted(size_t section) {
  SetState(section, QStringLiteral("計画中"));
}

void ProjectDialog::SectionFinished(size_t section, const SectionSummary& result) {
  const int row = static_cast<int>(section);
  if (row >= table_->rowCount()) return;
  SetState(section, StateOf(result));
  if (result.HasPlan()) {
    table_->item(row, kLossRate)->setText(QString::number(result.LossRate, 'f', 2));
    table_->item(row, kLossRate)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->item(row, kBought)->setText(BoughtText(result));
  } else if (!result.Notes.empty()) {
    table_->item(row, kState)->setToolTip(FromUtf8(Cp932ToUtf8(result.Notes.front())));
  }
  progress_->setValue(progress_->value() + 1);
}

void ProjectDialog::PlanningFinished(std::shared_ptr<ProjectResult> result, const QString& error) {
  if (worker_.joinable()) worker_.join();
  if (!result) {
    store_.reset();
    dialogs_.ShowError(this, error);
    UpdateButtons();
    return;
  }
  for (size_t s = 0; s < result->Sections.size(); ++s) {
    if (result->Sections[s].Status == SectionStatus::Stopped && !result->Sections[s].HasPlan())
      SetState(s, QStringLiteral("中断"));
  }
  result_ = std::make_unique<ProjectResult>(std::move(*result));
  if (result_->Stopped) {
    totals_->setText(
        QStringLiteral("中断しました。購入リストは全部材の計画が揃ってから印刷・保存できます。"));
  } else {
    const PurchaseTotals totals = TotalsOf(*result_);
    QString text = QStringLiteral("購入 %1 本").arg(totals.Bars);
    if (totals.WeightKg)
      text += QStringLiteral("、%1 t").arg(static_cast<double>(*totals.WeightKg) / 1000, 0, 'f', 3);
    if (totals.Yen) text += QStringLiteral("、%1 円").arg(*totals.Yen);
    text += QStringLiteral("（%1 秒）").arg(result_->Seconds, 0, 'f', 1);
    for (const std::string& note : result_->Input.Notes)
      text += QStringLiteral("　") + FromUtf8(Cp932ToUtf8(note));
    totals_->setText(text);
  }
  UpdateButtons();
}

void ProjectDialog::PrintPurchaseList() {
  if (!result_ || result_->Stopped) return;
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  const std::unique_ptr<PrintDevice> device = dialogs_.ChoosePrinter(this, *printer_);
  if (!device) return;
  try {
    yobina::PrintPurchaseList(*result_, *device);
  } catch (const std::exception& error) {
    dialogs_.ShowError(this, FromUtf8(error.what()));
  }
}

void ProjectDialog::SaveFolder() {
  if (!result_ || result_->Stopped || IsSaving()) return;
  // The folder of the last save, else the parts list's.
  const QString start = !savedFolder_.isEmpty() ? savedFolder_
                        : partsFile_->text().trimmed().isEmpty()
                            ? startFolder_
                            : QFileInfo(partsFile_->text().trimmed()).absolutePath();
  const std::optional<QString> chosen = dialogs_.ChooseFolder(this, start);
  if (!chosen) return;
  if (QFileInfo::exists(QDir(*chosen).filePath(QStringLiteral("purchase.csv"))) &&
      !dialogs_.ConfirmOkCancel(this,
                                QStringLiteral("このフォルダには前の一括計画があります。上書きしますか？")))
    return;
  totalsBeforeSave_ = totals_->text();
  totals_->setText(totalsBeforeSave_ + QStringLiteral("　保存中…"));
  stopSaving_ = false;
  // The result and the store stay as they are while the thread reads them: planning waits for the save.
  saver_ = std::thread([this, folder = *chosen, &result = *result_, &store = *store_] {
    QString error;
    bool stopped = false;
    try {
      BuildingFolder building(ToFsPath(folder));
      std::vector<std::string> names = BuildingFileNames(result.Input);
      building.CheckTargets(names);
      const std::vector<std::string> earlier = building.EarlierFiles();
      names.insert(names.end(), earlier.begin(), earlier.end());
      if (const std::optional<std::string> refusal = InputInFolder(building.Folder(), names, inputs_))
        throw IoError(*refusal);
      WriteBuildingFiles(
          result, [&store](size_t section) { return store.Get(section); }, building, WriteProjectPdf,
          &stopSaving_, WriteLabelsPdf);
      building.Commit();
    } catch (const WritingStopped&) {
      stopped = true;
    } catch (const std::exception& failure) {
      error = FromUtf8(failure.what());  // names the file
    }
    mailbox_.Post([this, folder, error, stopped] { SavingFinished(folder, error, stopped); });
  });
  UpdateButtons();
}

void ProjectDialog::SavingFinished(const QString& folder, const QString& error, bool stopped) {
  if (saver_.joinable()) saver_.join();
  totals_->setText(totalsBeforeSave_);
  UpdateButtons();
  if (stopped) {
    totals_->setText(totalsBeforeSave_ + QStringLiteral("　保存を中止しました（フォルダは前のまま）"));
    return;
  }
  if (!error.isEmpty()) {
    dialogs_.ShowError(this, error);
    return;
  }
  savedFolder_ = folder;
  totals_->setText(totalsBeforeSave_ + QStringLiteral("　保存先: ") + folder);
}

void ProjectDialog::OpenSection(int row) {
  if (!result_ || row < 0 || row >= static_cast<int>(result_->Sections.size())) return;
  const auto section = static_cast<size_t>(row);
  if (!result_->Sections[section].HasPlan()) {
    dialogs_.ShowInformation(this, QStringLiteral("この部材には計画がありません。"));
    return;
  }
  if (!HasJobFile(*result_, section)) {
    dialogs_.ShowInformation(
        this,
        QStringLiteral("この部材は長さが %1 種類を超えるため、画面では開けません。").arg(kGridDataRows));
    return;
  }
  const QString file =
      savedFolder_.isEmpty()
          ? QString()
          : QDir(savedFolder_).filePath(QString::fromStdString(JobFileName(*result_, section)));
  PlanResult plan;
  try {
    plan = SectionPlanResult(*result_, section, store_->Get(section));
  } catch (const std::exception& error) {
    dialogs_.ShowError(this, FromUtf8(error.what()));
    return;
  }
  openSection_(plan, file);
}

void ProjectDialog::reject() {
  StopPlanning();
  if (worker_.joinable()) worker_.join();
  if (saver_.joinable()) saver_.join();  // closing does not undo a save: 中止 does
  QDialog::reject();
}

void ProjectDialog::SetState(size_t section, const QString& state) {
  if (QTableWidgetItem* item = table_->item(static_cast<int>(section), kState)) item->setText(state);
}

void ProjectDialog::UpdateButtons() {
  const bool busy = IsPlanning() || IsSaving();
  const bool complete = result_ && !result_->Stopped;
  planButton_->setEnabled(!busy);
  stopButton_->setEnabled(IsPlanning() || IsSaving());
  printButton_->setEnabled(!busy && complete);
  saveButton_->setEnabled(!busy && complete);
}

}  // namespace yobina
