// The 【図】 page: the cutting diagrams of the plan of the job on the page,
// whichever planner made it, in a scrolling view drawn to the view's width,
// and the "図 印 刷" button.
#pragma once

#include <QWidget>

#include "plan/plan_result.h"

class QPushButton;
class QScrollArea;

namespace yobina {

// Draws the diagrams on the screen through the same drawing road as paper,
// at the width it is given; as tall as the bars need. Without a plan it says
// that there is none.
class DiagramView : public QWidget {
 public:
  explicit DiagramView(QWidget* parent = nullptr);

  // The result to draw, owned by the window; null: none. Kept until the next call.
  void SetResult(const PlanResult* result);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const PlanResult* result_ = nullptr;
};

struct DiagramPageWidgets {
  QPushButton* printButton = nullptr;  // "図 印 刷"
  QScrollArea* scrollArea = nullptr;
  DiagramView* view = nullptr;
};

DiagramPageWidgets BuildDiagramPage(QWidget* sheet);

}  // namespace yobina
