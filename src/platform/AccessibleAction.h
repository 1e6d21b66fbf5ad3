#pragma once
// PostAccessibleAction: how the accessible interfaces of the controls carry out an assistive
// tool's action (press, toggle, increase, open the menu, set a value); KeyBindingText: how they
// name the keys that do the same.
//
// An action runs what a click or a key on the control runs, and that may open a modal loop: the
// input dialog, a drop-down menu, the error box of a failing handler. The tool asked over D-Bus and
// waits for the answer, so the action is posted and runs on the next turn of the event loop, once
// the request has been answered. It is dropped when the control is destroyed before then.

#include <QKeySequence>
#include <QMetaObject>
#include <QObject>
#include <utility>

namespace tilvaro {

template <typename Action>
void PostAccessibleAction(QObject& control, Action action) {
  QMetaObject::invokeMethod(&control, std::move(action), Qt::QueuedConnection);
}

// A key binding of an action, as the desktop spells it.
inline QString KeyBindingText(QKeyCombination key) { return QKeySequence(key).toString(QKeySequence::NativeText); }

}  // namespace tilvaro
