#include "ui/focus_order.h"

#include <QWidget>

namespace yobina {
namespace {

bool IsTabStop(const QWidget* widget, const QWidget* from) {
  return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isVisible() &&
         widget->isEnabled() && widget->window() == from->window() && widget->focusProxy() == nullptr &&
         !from->isAncestorOf(widget);
}

}  // namespace

void FocusNextInTabOrder(QWidget* from, bool forward) {
  QWidget* candidate = from;
  while (true) {
    candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
    if (candidate == nullptr || candidate == from) return;
    if (IsTabStop(candidate, from)) {
      candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

}  // namespace yobina
