#include "button/ToolbarButtonAccessible.h"

#include <QAccessible>
#include <algorithm>

#include "button/ToolbarButton97.h"
#include "platform/AccessibleAction.h"
#include "platform/TextLines.h"

namespace tilvaro {

namespace {

// A caption that says something in words: "+" and "-" do not, a screen reader would read the
// symbol's name instead of what the button does.
bool SaysSomething(const QString& caption) {
  return std::any_of(caption.begin(), caption.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

}  // namespace

ToolbarButtonAccessible::ToolbarButtonAccessible(TToolbarButton97* button)
    : WidgetAccessible(button, QAccessible::PushButton) {}

void ToolbarButtonAccessible::StatesChanged(TToolbarButton97& button, bool latched, bool pressed) {
  if ((!latched && !pressed) || !QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.checked = latched;
  changed.pressed = pressed;
  QAccessibleStateChangeEvent event(&button, changed);
  QAccessible::updateAccessibility(&event);
}

QAccessible::Role ToolbarButtonAccessible::role() const {
  const TToolbarButton97* button = Typed();
  if (!button->HasDropdown()) return QAccessible::PushButton;
  return button->DropdownCombo() ? QAccessible::ButtonDropDown : QAccessible::ButtonMenu;
}

QString ToolbarButtonAccessible::text(QAccessible::Text kind) const {
  const TToolbarButton97* button = Typed();
  switch (kind) {
    case QAccessible::Name: {
      if (!button->accessibleName().isEmpty()) return button->accessibleName();
      const QString caption = ResolvePrefixes(button->Caption(), true).text;
      return SaysSomething(caption) || button->Hint().isEmpty() ? caption : button->Hint();
    }
    case QAccessible::Description:
      return button->accessibleDescription().isEmpty() ? button->Hint() : button->accessibleDescription();
    default:
      return WidgetAccessible::text(kind);
  }
}

QAccessible::State ToolbarButtonAccessible::state() const {
  const TToolbarButton97* button = Typed();
  QAccessible::State state = WidgetAccessible::state();
  state.pressed = button->State() == ButtonState::Down;
  if (button->GroupIndex() != 0) {
    state.checkable = true;
    state.checked = button->Down();
  }
  state.hasPopup = button->HasDropdown();
  return state;
}

const QString& ToolbarButtonAccessible::ClickAction() const {
  return Typed()->GroupIndex() != 0 ? toggleAction() : pressAction();
}

QStringList ToolbarButtonAccessible::actionNames() const {
  QStringList names{ClickAction()};
  // A plain drop-down button opens its menu on every click; a combo's menu is its arrow part's.
  if (Typed()->HasDropdown()) names << showMenuAction();
  return names;
}

void ToolbarButtonAccessible::doAction(const QString& action) {
  TToolbarButton97* button = Typed();
  if (action == ClickAction()) {
    PostAccessibleAction(*button, [button] { button->ClickAsKey(); });
  } else if (action == showMenuAction()) {
    PostAccessibleAction(*button, [button] { button->DropdownAsKey(); });
  }
}

QStringList ToolbarButtonAccessible::keyBindingsForAction(const QString& action) const {
  const TToolbarButton97* button = Typed();
  QStringList keys;
  if (action != ClickAction()) return keys;
  if (const std::optional<QKeyCombination> key = button->AcceleratorKey()) keys << KeyBindingText(*key);
  if (button->Default()) keys << KeyBindingText(Qt::Key_Return);
  if (button->Cancel()) keys << KeyBindingText(Qt::Key_Escape);
  return keys;
}

}  // namespace tilvaro
