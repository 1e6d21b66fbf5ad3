#include "widgets/ClickLabelAccessible.h"

#include "platform/AccessibleAction.h"
#include "widgets/ClickLabel.h"

namespace tilvaro {

ClickLabelAccessible::ClickLabelAccessible(TClickLabel* label) : WidgetAccessible(label, QAccessible::Link) {}

QString ClickLabelAccessible::text(QAccessible::Text kind) const {
  const TClickLabel* label = Typed();
  if (kind != QAccessible::Name) return WidgetAccessible::text(kind);
  for (const QString& name : {label->accessibleName(), label->text(), label->toolTip()}) {
    if (!name.isEmpty()) return name;
  }
  return {};
}

QAccessible::State ClickLabelAccessible::state() const {
  QAccessible::State state = WidgetAccessible::state();
  state.linked = true;
  return state;
}

QStringList ClickLabelAccessible::actionNames() const {
  return WidgetAccessible::actionNames() << pressAction();
}

void ClickLabelAccessible::doAction(const QString& action) {
  if (action != pressAction()) {
    WidgetAccessible::doAction(action);
    return;
  }
  auto* label = static_cast<TClickLabel*>(widget());
  PostAccessibleAction(*label, [label] { label->Click(); });
}

}  // namespace tilvaro
