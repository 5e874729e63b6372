// The 【図】 page: the cutting diagrams of the last plan, whichever planner made
// it, in a scrolling view drawn to the view's width, and the "図 印 刷" button.
#pragma once

#include <QWidget>

#include "app/run_command.h"
#include "job/input_page.h"

class QPushButton;
class QScrollArea;

namespace yobina {

// Draws the diagrams on the screen through the same drawing road as paper,
// at the width it is given; as tall as the bars need. Reads the workspace
// and the names on the page at every paint.
class DiagramView : public QWidget {
 public:
  DiagramView(const InputPage& page, const Workspace& workspace, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const InputPage& page_;
  const Workspace& workspace_;
};

struct DiagramPageWidgets {
  QPushButton* printButton = nullptr;  // "図 印 刷"
  QScrollArea* scrollArea = nullptr;
  DiagramView* view = nullptr;
};

DiagramPageWidgets BuildDiagramPage(QWidget* sheet, const InputPage& page, const Workspace& workspace);

}  // namespace yobina
