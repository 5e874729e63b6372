// Moving the focus along the window's tab order, as the Enter key does in the
// input page's fields.
#pragma once

class QWidget;

namespace yobina {

// Gives the focus to the next (or previous) widget after `from` in its window's
// focus chain that the Tab key stops at, wrapping around. Widgets inside `from`
// (a grid's cell editor) are skipped.
void FocusNextInTabOrder(QWidget* from, bool forward = true);

}  // namespace yobina
