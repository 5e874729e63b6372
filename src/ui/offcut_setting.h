// The minimum offcut length T on the input page: a small field under the unit
// weight. A user's setting, remembered per user (QSettings), never part of the
// job file; 0 or empty is off.
#pragma once

#include <QObject>
#include <cstdint>

class QLineEdit;
class QSettings;
class QWidget;

namespace yobina {

class OffcutMinSetting : public QObject {
  Q_OBJECT
 public:
  // Adds the label and field to the input page's panel, with the value
  // remembered in `settings` (none: the value lasts for this window only).
  OffcutMinSetting(QWidget* panel, QSettings* settings);

  int32_t Value() const;
  void SetValue(int32_t millimetres);
  QLineEdit* Field() const { return field_; }

 signals:
  // After the value changed, once it is remembered.
  void changed();

 private:
  QLineEdit* field_ = nullptr;
  QSettings* settings_ = nullptr;
  int32_t value_ = 0;
};

}  // namespace yobina
