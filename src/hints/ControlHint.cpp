#include "hints/ControlHint.h"

#include <QWidget>

#include "button/ToolbarButton97.h"

namespace tilvaro {

namespace {

// Whether the control decides about a hint itself; the hint may still be empty.
bool ShowsHint(const QWidget& widget) {
  if (const auto* button = qobject_cast<const TToolbarButton97*>(&widget)) return button->ShowHint();
  return !widget.toolTip().isEmpty();
}

}  // namespace

QWidget* HintControlFor(QWidget* widget) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (ShowsHint(*w)) return w;
    if (w->isWindow()) break;
  }
  return nullptr;
}

QString HintTextOf(const QWidget& control) {
  if (const auto* button = qobject_cast<const TToolbarButton97*>(&control)) return button->Hint();
  return control.toolTip();
}

}  // namespace tilvaro
