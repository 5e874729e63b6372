// 印 刷, 図 印 刷 and ラベル印刷: the plan of the job on the page on paper or in a PDF,
// through the print dialog, which keeps its choice for the session.
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStatusBar>

#include "app/commands.h"
#include "app/job_shop_input.h"
#include "app/offcut_stock.h"
#include "diagram/cutting_diagram.h"
#include "inventory/inventory.h"
#include "plan/plan_result.h"
#include "shop/cut_list.h"
#include "shop/label_sheet.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/offcut_tab.h"

namespace yobina {
namespace {

constexpr int kStatusMessageMs = 5000;

}  // namespace

QString MainWindow::JobName() const {
  return jobFileName_.isEmpty() ? QStringLiteral("ヨビナ") : QFileInfo(jobFileName_).completeBaseName();
}

void MainWindow::SuggestPrintName(const QString& name) {
  printer_->setDocName(name);
  // Once printed to a file, the printer keeps that file's name: only its folder stays.
  const QString earlier = printer_->outputFileName();
  if (printer_->outputFormat() == QPrinter::PdfFormat && !earlier.isEmpty()) {
    printer_->setOutputFileName(QFileInfo(earlier).dir().filePath(name + QStringLiteral(".pdf")));
  }
}

void MainWindow::ShowStatus(const QString& text) {
  // The bar comes only with a message and goes with it: the page keeps its room.
  if (!statusBarShown_) {
    statusBarShown_ = true;
    connect(statusBar(), &QStatusBar::messageChanged, this,
            [this](const QString& message) { statusBar()->setVisible(!message.isEmpty()); });
  }
  statusBar()->show();
  statusBar()->showMessage(text, kStatusMessageMs);
}

void MainWindow::PrintResults() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SuggestPrintName(JobName());
  const std::unique_ptr<PrintDevice> device = dialogs_.ChoosePrinter(this, *printer_);
  if (!device) return;
  // The plan of the job on the page; without one, the page's job with no plan.
  const JobDocument now = PageDocument();
  const PlanResult* current = CurrentResultFor(now);
  Guarded([&] {
    if (current != nullptr && current->Plan.HasPatterns()) {
      PrintReport(*current, *device);
    } else {
      PrintJobWithoutPlan(now, *device);
    }
  });
}

void MainWindow::PrintDiagrams() {
  const PlanResult* current = CurrentResult();
  if (current == nullptr || !current->Plan.HasPatterns()) {
    ShowStatus(QStringLiteral("図に描く計画がありません"));
    return;
  }
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SuggestPrintName(JobName() + QStringLiteral(" 切断図"));
  const std::unique_ptr<PrintDevice> device = dialogs_.ChoosePrinter(this, *printer_);
  if (!device) return;
  Guarded([&] { PrintCuttingDiagrams(*current, *device); });
}

void MainWindow::PrintPieceLabels() {
  const PlanResult* current = CurrentResult();
  if (current == nullptr || !current->Plan.HasPatterns()) {
    ShowStatus(QStringLiteral("ラベルに描く計画がありません"));
    return;
  }
  const std::string source =
      OffcutSource(current->Document, QFileInfo(jobFileName_).fileName().toStdString());
  const CutList list =
      MakeCutList(*current, JobShopInput(*current, offcutTab_->TakenRows(), source, TodayDate()));
  if (const std::optional<std::string> fault = LabelsFault(list)) {
    dialogs_.ShowError(this, QString::fromStdString(*fault));
    return;
  }
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SuggestPrintName(JobName() + QStringLiteral(" ラベル"));
  const std::unique_ptr<PrintDevice> device = dialogs_.ChoosePrinter(this, *printer_);
  if (!device) return;
  Guarded([&] { PrintLabels(list, LabelSheet(), *device); });
}

}  // namespace yobina
