#include "ui/radio_group.h"

#include <QFontMetrics>

namespace yobina {

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent) {
  for (int index = 0; index < items.size(); ++index) {
    auto* button = new QRadioButton(items[index], this);
    group_.addButton(button, index);
    buttons_.push_back(button);
  }
  connect(&group_, &QButtonGroup::idClicked, this, [this] { emit itemClicked(); });
  connect(&group_, &QButtonGroup::idToggled, this, [this] { UpdateTabStop(); });
  UpdateTabStop();
}

int TRadioGroup::ItemIndex() const {
  return group_.checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
  if (index >= 0 && index < ItemCount()) {
    buttons_[static_cast<size_t>(index)]->setChecked(true);
  } else {
    group_.setExclusive(false);
    for (QRadioButton* button : buttons_) button->setChecked(false);
    group_.setExclusive(true);
  }
  UpdateTabStop();
}

QString TRadioGroup::ItemCaption(int index) const {
  const QRadioButton* button = Button(index);
  return button ? button->text() : QString();
}

QRadioButton* TRadioGroup::Button(int index) const {
  if (index < 0 || index >= ItemCount()) return nullptr;
  return buttons_[static_cast<size_t>(index)];
}

void TRadioGroup::UpdateTabStop() {
  const int selected = std::max(0, ItemIndex());
  for (int index = 0; index < ItemCount(); ++index) {
    buttons_[static_cast<size_t>(index)]->setFocusPolicy(index == selected ? Qt::StrongFocus
                                                                           : Qt::ClickFocus);
  }
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  PlaceButtons();
}

void TRadioGroup::PlaceButtons() {
  // Equal columns below the caption, as the layout draws them.
  if (buttons_.empty()) return;
  const int top = fontMetrics().height() + 4;
  const int left = 8;
  const int columnWidth = (width() - 2 * left) / ItemCount();
  const int buttonHeight = std::max(20, fontMetrics().height() + 4);
  const int y = top + std::max(0, (height() - top - buttonHeight) / 2);
  for (int index = 0; index < ItemCount(); ++index) {
    buttons_[static_cast<size_t>(index)]->setGeometry(left + index * columnWidth, y, columnWidth,
                                                      buttonHeight);
  }
}

}  // namespace yobina
