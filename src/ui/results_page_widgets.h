// The results page: the report text, growing with the window, and the Print button above its top right.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace yobina {

struct ResultsPageWidgets {
  QPlainTextEdit* memo = nullptr;      // Memo1
  QWidget* bottomStrip = nullptr;      // Panel3
  QPushButton* printButton = nullptr;  // BtnPrint
  QLabel* stopNotice = nullptr;        // in Panel3: that the last Run was stopped
};

// Creates the elements on `page` (TabSheet2).
ResultsPageWidgets BuildResultsPage(QWidget* page);

}  // namespace yobina
