#include "editor/EditFormKeys.h"

#include <QShortcut>
#include <utility>

#include "button/ToolbarButton97.h"
#include "editor/EditForm.h"
#include "platform/RaiseEvent.h"

namespace tilvaro {

void InstallCommandKeys(TEditForm& form) {
  const std::pair<TToolbarButton97*, QKeyCombination> keys[] = {
      {form.Btn_New, Qt::CTRL | Qt::Key_N}, {form.Btn_Open, Qt::CTRL | Qt::Key_O}, {form.Btn_Save, Qt::CTRL | Qt::Key_S}};
  for (const auto& entry : keys) {
    TToolbarButton97* button = entry.first;  // a named variable: lambdas may not capture bindings
    auto* shortcut = new QShortcut(QKeySequence(entry.second), &form);
    shortcut->setAutoRepeat(false);
    // The button's own click handler, raised as the button raises it (the button is the sender).
    QObject::connect(shortcut, &QShortcut::activated, button, [button] { RaiseEvent(button->OnClick, button); });
  }
}

}  // namespace tilvaro
