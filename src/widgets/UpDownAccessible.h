#pragma once
// UpDownAccessible: what assistive tools see of a TUpDown: a spin button whose value is the
// position, between Min and Max in steps of 1, named by its accessible name (the label beside it).
// The increase and decrease actions step as the arrows do; setting a value steps towards it, one
// step at a time, so the spinner's OnClick runs for every step as if the user had pressed the arrow.

#include "platform/WidgetAccessible.h"

namespace tilvaro {

class TUpDown;

class UpDownAccessible : public WidgetAccessible<TUpDown>, public QAccessibleValueInterface {
 public:
  explicit UpDownAccessible(TUpDown* upDown);

  // The position changed: announced while an assistive tool listens.
  static void ValueChanged(TUpDown& upDown);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text kind) const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;
  QStringList keyBindingsForAction(const QString& action) const override;

  QVariant currentValue() const override;
  void setCurrentValue(const QVariant& value) override;
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override { return 1; }

};

}  // namespace tilvaro
