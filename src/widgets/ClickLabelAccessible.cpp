#include "widgets/ClickLabelAccessible.h"

#include "platform/AccessibleAction.h"
#include "widgets/ClickLabel.h"

namespace tilvaro {

ClickLabelAccessible::ClickLabelAccessible(TClickLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

QAccessibleInterface* ClickLabelAccessible::Create(QObject* object) {
  auto* label = qobject_cast<TClickLabel*>(object);
  return label != nullptr ? new ClickLabelAccessible(label) : nullptr;
}

QString ClickLabelAccessible::text(QAccessible::Text kind) const {
  const auto* label = static_cast<const TClickLabel*>(widget());
  if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
  for (const QString& name : {label->accessibleName(), label->text(), label->toolTip()}) {
    if (!name.isEmpty()) return name;
  }
  return {};
}

QAccessible::State ClickLabelAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.linked = true;
  return state;
}

QStringList ClickLabelAccessible::actionNames() const {
  return QAccessibleWidget::actionNames() << pressAction();
}

void ClickLabelAccessible::doAction(const QString& action) {
  if (action != pressAction()) {
    QAccessibleWidget::doAction(action);
    return;
  }
  auto* label = static_cast<TClickLabel*>(widget());
  PostAccessibleAction(*label, [label] { label->Click(); });
}

}  // namespace tilvaro
