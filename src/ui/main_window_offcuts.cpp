// The offcuts in the window: the minimum offcut length under the unit weight,
// and the 【残材】 tab with the inventory. The setting is the user's: changing
// it leaves the job unchanged (no "*"), but the plan, whose leftovers it
// classifies, is no longer the job's.
#include <QTabWidget>

#include "file/page_document.h"
#include "plan/plan_result.h"
#include "ui/main_window.h"
#include "ui/offcut_setting.h"
#include "ui/offcut_tab.h"
#include "ui/page_history.h"
#include "ui/qt_input_page.h"

namespace yobina {

void MainWindow::BuildOffcutCommands() {
  offcutMin_ = new OffcutMinSetting(input_.panel, settings_);
  // Outside the page's tab order (Tab and Enter go from field to field as they always have): a click sets it.
  offcutMin_->Field()->setFocusPolicy(Qt::ClickFocus);
  connect(offcutMin_, &OffcutMinSetting::changed, this, [this] {
    ForgetStalePlan();
    UpdateCaption();
  });

  OffcutTabHooks hooks;
  hooks.pageDocument = [this] { return PageDocument(); };
  // Taking offcuts is an edit like a paste: one step the user can undo.
  hooks.setPage = [this](const JobDocument& document) {
    history_->Step([&] { WriteDocument(document, *page_); });
  };
  hooks.currentPlan = [this] { return CurrentResult(); };
  hooks.jobFileName = [this] { return saveFileName_; };
  offcutTab_ = new OffcutTab(dialogs_, std::move(hooks), std::nullopt);
  tabs_->addTab(offcutTab_, QStringLiteral("【残材】"));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (tabs_->widget(index) == offcutTab_) offcutTab_->Refresh();
  });
}

}  // namespace yobina
