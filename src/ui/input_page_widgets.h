// The input page's elements: the two lists, the job's fields, the trial count,
// the loss-rate labels and the planners' buttons, at their places on the page.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include "job/page_elements.h"
#include "ui/edit_field.h"
#include "ui/radio_group.h"
#include "ui/run_progress_display.h"
#include "ui/string_grid.h"

namespace yobina {

struct InputPageWidgets {
  QWidget* panel = nullptr;                 // Panel2, filling the page
  QToolButton* reloadButton = nullptr;      // SpeedButton1
  QToolButton* clearStockButton = nullptr;  // btnClr1
  QToolButton* clearCutButton = nullptr;    // btnClr2
  TStringGrid* stockGrid = nullptr;         // Grid1
  TStringGrid* cutGrid = nullptr;           // Grid2
  TEditField* year = nullptr;               // edYY
  TEditField* month = nullptr;              // edMM
  TEditField* day = nullptr;                // edDD
  TEditField* projectName = nullptr;        // edKname
  TEditField* memberName = nullptr;         // edBname
  TEditField* unitWeight = nullptr;         // edWunit
  TEditField* margin = nullptr;             // edyoyu
  TEditField* kerf = nullptr;               // edsiro
  TRadioGroup* trialCount = nullptr;        // rgTryCnt
  QLabel* trialLossLabel = nullptr;         // lbZhi
  QLabel* bestLossLabel = nullptr;          // lbZhiMin
  QPushButton* runButton = nullptr;         // Button1
  QPushButton* optimizeButton = nullptr;    // btnExact, 最 適 化 under 実 行
  QWidget* planButtons = nullptr;           // the column of the two
  // Below the loss rates, clear of the page's elements; on the page rather
  // than the panel, so it stays bright while the panel is disabled.
  RunProgressDisplay* runProgress = nullptr;

  TEditField* Field(FieldId id) const;
  TStringGrid* Grid(GridId id) const;
};

// Creates the elements on `page` (TabSheet1) with their object names, texts,
// fonts and tab order.
InputPageWidgets BuildInputPage(QWidget* page);

// An element's object name: its key.
QString ElementName(std::string_view key);
// The grids' column headings and the tabs' captions.
QStringList GridHeadings();
QString TabCaption(const TabElement& tab);

// The first caption of the trial label (lbZhi), which it returns to after every Run.
QString LossLabelCaption();
// The first caption of the best loss rate's label (lbZhiMin), before any plan.
QString NoLossRateCaption();

}  // namespace yobina
