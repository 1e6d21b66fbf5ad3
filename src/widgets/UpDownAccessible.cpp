#include "widgets/UpDownAccessible.h"

#include <algorithm>

#include "platform/AccessibleAction.h"
#include "widgets/UpDown.h"

namespace tilvaro {

UpDownAccessible::UpDownAccessible(TUpDown* upDown) : WidgetAccessible(upDown, QAccessible::SpinBox) {}

void UpDownAccessible::ValueChanged(TUpDown& upDown) {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(&upDown, upDown.Position());
  QAccessible::updateAccessibility(&event);
}

void* UpDownAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
  return WidgetAccessible::interface_cast(type);
}

QString UpDownAccessible::text(QAccessible::Text kind) const {
  if (kind == QAccessible::Value) return QString::number(Typed()->Position());
  return WidgetAccessible::text(kind);
}

QStringList UpDownAccessible::actionNames() const {
  return WidgetAccessible::actionNames() << increaseAction() << decreaseAction();
}

void UpDownAccessible::doAction(const QString& action) {
  TUpDown* upDown = Typed();
  if (action == increaseAction()) {
    PostAccessibleAction(*upDown, [upDown] { upDown->Step(TUpDown::TUDBtnType::btNext); });
  } else if (action == decreaseAction()) {
    PostAccessibleAction(*upDown, [upDown] { upDown->Step(TUpDown::TUDBtnType::btPrev); });
  } else {
    WidgetAccessible::doAction(action);
  }
}

QStringList UpDownAccessible::keyBindingsForAction(const QString& action) const {
  if (action == increaseAction()) return {KeyBindingText(Qt::Key_Up)};
  if (action == decreaseAction()) return {KeyBindingText(Qt::Key_Down)};
  return WidgetAccessible::keyBindingsForAction(action);
}

QVariant UpDownAccessible::currentValue() const { return Typed()->Position(); }
QVariant UpDownAccessible::maximumValue() const { return Typed()->Max(); }
QVariant UpDownAccessible::minimumValue() const { return Typed()->Min(); }

void UpDownAccessible::setCurrentValue(const QVariant& value) {
  TUpDown* upDown = Typed();
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
