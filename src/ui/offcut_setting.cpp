#include "ui/offcut_setting.h"

#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <algorithm>

namespace yobina {
namespace {

const QString kSettingKey = QStringLiteral("offcuts/minimumLength");
constexpr int32_t kLargestOffcutMin = 99999;

}  // namespace

OffcutMinSetting::OffcutMinSetting(QWidget* panel, QSettings* settings)
    : QObject(panel), settings_(settings) {
  auto* label = new QLabel(QStringLiteral("残材の最小長"), panel);
  label->setObjectName(QStringLiteral("lbOffcutMin"));
  label->move(416, 190);
  label->adjustSize();
  auto* unit = new QLabel(QStringLiteral("(mm)  0 = 使わない"), panel);
  unit->move(583, 190);
  unit->adjustSize();
  label->setToolTip(
      QStringLiteral("この長さ以上の残りを残材として在庫へ戻します。0 または空欄は使いません。"));
  field_ = new QLineEdit(panel);
  field_->setObjectName(QStringLiteral("edOffcutMin"));
  field_->setGeometry(529, 187, 52, 23);
  field_->setAlignment(Qt::AlignRight);
  field_->setValidator(new QIntValidator(0, kLargestOffcutMin, field_));
  field_->setToolTip(label->toolTip());

  const int remembered = settings_ != nullptr ? settings_->value(kSettingKey, 0).toInt() : 0;
  value_ = std::clamp<int32_t>(remembered, 0, kLargestOffcutMin);
  if (value_ > 0) field_->setText(QString::number(value_));
  connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const int32_t value = text.trimmed().isEmpty() ? 0 : text.toInt();
    if (value == value_) return;
    value_ = value;
    if (settings_ != nullptr) settings_->setValue(kSettingKey, value_);
    emit changed();
  });
}

int32_t OffcutMinSetting::Value() const {
  return value_;
}

void OffcutMinSetting::SetValue(int32_t millimetres) {
  field_->setText(millimetres > 0 ? QString::number(millimetres) : QString());
}

}  // namespace yobina
