#include "widgets/UpDownAccessible.h"

#include <QKeySequence>
#include <algorithm>

#include "platform/AccessibleAction.h"
#include "widgets/UpDown.h"

namespace tilvaro {

UpDownAccessible::UpDownAccessible(TUpDown* upDown) : QAccessibleWidget(upDown, QAccessible::SpinBox) {}

QAccessibleInterface* UpDownAccessible::Create(QObject* object) {
  auto* upDown = qobject_cast<TUpDown*>(object);
  return upDown != nullptr ? new UpDownAccessible(upDown) : nullptr;
}

void UpDownAccessible::ValueChanged(TUpDown& upDown) {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(&upDown, upDown.Position());
  QAccessible::updateAccessibility(&event);
}

TUpDown* UpDownAccessible::UpDown() const { return static_cast<TUpDown*>(widget()); }

void* UpDownAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString UpDownAccessible::text(QAccessible::Text kind) const {
  if (kind == QAccessible::Value) return QString::number(UpDown()->Position());
  return QAccessibleWidget::text(kind);
}

QStringList UpDownAccessible::actionNames() const {
  return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
}

void UpDownAccessible::doAction(const QString& action) {
  TUpDown* upDown = UpDown();
  if (action == increaseAction()) {
    PostAccessibleAction(*upDown, [upDown] { upDown->Step(TUpDown::TUDBtnType::btNext); });
  } else if (action == decreaseAction()) {
    PostAccessibleAction(*upDown, [upDown] { upDown->Step(TUpDown::TUDBtnType::btPrev); });
  } else {
    QAccessibleWidget::doAction(action);
  }
}

QStringList UpDownAccessible::keyBindingsForAction(const QString& action) const {
  if (action == increaseAction()) return {QKeySequence(Qt::Key_Up).toString(QKeySequence::NativeText)};
  if (action == decreaseAction()) return {QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText)};
  return QAccessibleWidget::keyBindingsForAction(action);
}

QVariant UpDownAccessible::currentValue() const { return UpDown()->Position(); }
QVariant UpDownAccessible::maximumValue() const { return UpDown()->Max(); }
QVariant UpDownAccessible::minimumValue() const { return UpDown()->Min(); }

void UpDownAccessible::setCurrentValue(const QVariant& value) {
  TUpDown* upDown = UpDown();
  const int target = value.toInt();
  PostAccessibleAction(*upDown, [upDown, target] {
    const int bounded = std::clamp(target, upDown->Min(), upDown->Max());
    const auto direction = bounded > upDown->Position() ? TUpDown::TUDBtnType::btNext : TUpDown::TUDBtnType::btPrev;
    // Stepping towards a value within the bounds never wraps. At most the whole range is stepped,
    // whatever the handlers do with the position meanwhile.
    for (int steps = upDown->Max() - upDown->Min(); steps > 0 && upDown->Position() != bounded; --steps) {
      if (!upDown->Step(direction)) break;
    }
  });
}

}  // namespace tilvaro
