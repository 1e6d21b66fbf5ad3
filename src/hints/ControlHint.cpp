#include "hints/ControlHint.h"

#include <QWidget>

#include "hints/HintedControl.h"

namespace tilvaro {

namespace {

// Whether the control decides about a hint itself; the hint may still be empty.
bool ShowsHint(const QWidget& widget) {
  if (const auto* hinted = dynamic_cast<const HintedControl*>(&widget)) return hinted->ShowsOwnHint();
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
  if (const auto* hinted = dynamic_cast<const HintedControl*>(&control)) return hinted->OwnHintText();
  return control.toolTip();
}

}  // namespace tilvaro
