#pragma once
// ToolbarButtonAccessible: what assistive tools see of a TToolbarButton97.
//
// A push button (a menu button when it has a drop-down, a split button as a combo). A member of a
// group is checkable and checked while it is latched. Its name is its caption without the '&'
// marks; a caption of symbols alone ("+", "-") or none at all gives way to the hint, which is
// always the description. It is pressed while held or while its click runs, unavailable while
// disabled, and never focusable (the buttons never take the focus). Its action (press, or toggle
// for a group member) clicks as Enter on a Default button does, with all of a click's rules:
// latching, the modal result, the drop-down. A button with a drop-down also offers the menu action,
// which opens it as a press on the arrow part does.

#include "platform/WidgetAccessible.h"

namespace tilvaro {

class TToolbarButton97;

class ToolbarButtonAccessible : public WidgetAccessible<TToolbarButton97> {
 public:
  explicit ToolbarButtonAccessible(TToolbarButton97* button);

  // Tells assistive tools that the button's latched or pressed state changed. Cheap while no tool
  // listens.
  static void StatesChanged(TToolbarButton97& button, bool latched, bool pressed);

  QAccessible::Role role() const override;
  QString text(QAccessible::Text kind) const override;
  QAccessible::State state() const override;

  QStringList actionNames() const override;
  void doAction(const QString& action) override;
  QStringList keyBindingsForAction(const QString& action) const override;

 private:
  // The action that clicks the button: toggle for a group member, press otherwise.
  const QString& ClickAction() const;
};

}  // namespace tilvaro
