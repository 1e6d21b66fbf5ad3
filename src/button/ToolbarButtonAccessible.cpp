#include "button/ToolbarButtonAccessible.h"

#include <QAccessible>
#include <QKeySequence>
#include <QLocale>
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

QString KeyText(QKeyCombination key) { return QKeySequence(key).toString(QKeySequence::NativeText); }

}  // namespace

ToolbarButtonAccessible::ToolbarButtonAccessible(TToolbarButton97* button)
    : QAccessibleWidget(button, QAccessible::PushButton) {}

QAccessibleInterface* ToolbarButtonAccessible::Create(QObject* object) {
  auto* button = qobject_cast<TToolbarButton97*>(object);
  return button != nullptr ? new ToolbarButtonAccessible(button) : nullptr;
}

void ToolbarButtonAccessible::StatesChanged(TToolbarButton97& button, bool latched, bool pressed) {
  if ((!latched && !pressed) || !QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.checked = latched;
  changed.pressed = pressed;
  QAccessibleStateChangeEvent event(&button, changed);
  QAccessible::updateAccessibility(&event);
}

TToolbarButton97* ToolbarButtonAccessible::Button() const { return static_cast<TToolbarButton97*>(widget()); }

QAccessible::Role ToolbarButtonAccessible::role() const {
  const TToolbarButton97* button = Button();
  if (!button->HasDropdown()) return QAccessible::PushButton;
  return button->DropdownCombo() ? QAccessible::ButtonDropDown : QAccessible::ButtonMenu;
}

QString ToolbarButtonAccessible::text(QAccessible::Text kind) const {
  const TToolbarButton97* button = Button();
  switch (kind) {
    case QAccessible::Name: {
      if (!button->accessibleName().isEmpty()) return button->accessibleName();
      const QString caption = ResolvePrefixes(button->Caption(), true).text;
      return SaysSomething(caption) || button->Hint().isEmpty() ? caption : button->Hint();
    }
    case QAccessible::Description:
      return button->accessibleDescription().isEmpty() ? button->Hint() : button->accessibleDescription();
    default:
      return QAccessibleWidget::text(kind);
  }
}

QAccessible::State ToolbarButtonAccessible::state() const {
  const TToolbarButton97* button = Button();
  QAccessible::State state = QAccessibleWidget::state();
  state.pressed = button->State() == ButtonState::Down;
  if (button->GroupIndex() != 0) {
    state.checkable = true;
    state.checked = button->Down();
  }
  state.hasPopup = button->HasDropdown();
  return state;
}

const QString& ToolbarButtonAccessible::ClickAction() const {
  return Button()->GroupIndex() != 0 ? toggleAction() : pressAction();
}

QStringList ToolbarButtonAccessible::actionNames() const {
  QStringList names{ClickAction()};
  // A plain drop-down button opens its menu on every click; a combo's menu is its arrow part's.
  if (Button()->HasDropdown()) names << showMenuAction();
  return names;
}

void ToolbarButtonAccessible::doAction(const QString& action) {
  TToolbarButton97* button = Button();
  if (action == ClickAction()) {
    PostAccessibleAction(*button, [button] { button->ClickAsKey(); });
  } else if (action == showMenuAction()) {
    PostAccessibleAction(*button, [button] { button->DropdownAsKey(); });
  }
}

QStringList ToolbarButtonAccessible::keyBindingsForAction(const QString& action) const {
  const TToolbarButton97* button = Button();
  QStringList keys;
  if (action != ClickAction()) return keys;
  const QChar accelerator = button->Accelerator();
  if (!accelerator.isNull()) {
    const char16_t upper = QLocale().toUpper(QString(accelerator)).at(0).unicode();
    keys << KeyText(QKeyCombination(Qt::AltModifier, Qt::Key(upper)));
  }
  if (button->Default()) keys << KeyText(Qt::Key_Return);
  if (button->Cancel()) keys << KeyText(Qt::Key_Escape);
  return keys;
}

}  // namespace tilvaro
