// A group of radio buttons in columns with one selected item (or none, as a
// loaded file may leave it). The Tab key stops at the selected button only.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <vector>

namespace yobina {

class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  TRadioGroup(const QString& title, const QStringList& items, QWidget* parent);

  int ItemIndex() const;
  // -1 leaves no item selected; an index past the last selects nothing either.
  void SetItemIndex(int index);
  int ItemCount() const { return static_cast<int>(buttons_.size()); }
  QString ItemCaption(int index) const;
  QRadioButton* Button(int index) const;

 signals:
  // The user clicked an item.
  void itemClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateTabStop();
  void PlaceButtons();

  QButtonGroup group_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace yobina
