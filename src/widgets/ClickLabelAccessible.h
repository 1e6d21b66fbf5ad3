#pragma once
// ClickLabelAccessible: what assistive tools see of a TClickLabel: a link. Its name is its
// accessible name (where the link leads, set by its window), else its text, else its tool tip; the
// tool tip is its description. The press action runs its click handler.

#include <QAccessibleWidget>

namespace tilvaro {

class TClickLabel;

class ClickLabelAccessible : public QAccessibleWidget {
 public:
  explicit ClickLabelAccessible(TClickLabel* label);

  // For the accessibility factory: the interface of a TClickLabel.
  static QAccessibleInterface* Create(QObject* object);

  QString text(QAccessible::Text kind) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;
};

}  // namespace tilvaro
