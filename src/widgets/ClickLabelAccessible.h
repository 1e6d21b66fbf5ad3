#pragma once
// ClickLabelAccessible: what assistive tools see of a TClickLabel: a link. Its name is its
// accessible name (where the link leads, set by its window), else its text, else its tool tip; the
// tool tip is its description. The press action runs its click handler.

#include "platform/WidgetAccessible.h"

namespace tilvaro {

class TClickLabel;

class ClickLabelAccessible : public WidgetAccessible<TClickLabel> {
 public:
  explicit ClickLabelAccessible(TClickLabel* label);


  QString text(QAccessible::Text kind) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;
};

}  // namespace tilvaro
