#pragma once
// RaiseEvent: the one way a control raises an event to the window's handlers.
//
// An unassigned handler is skipped. An exception thrown by the handler ends the handler there and
// is reported through RunGuarded (the unexpected-error box); it never travels on into the control
// or through Qt's event dispatch. Arguments are passed on as given, so `var` parameters (bool&)
// come back changed. The handler is copied before it runs, so a handler that destroys the
// control (and with it the control's handler field) still runs to its end.

#include <utility>

#include "platform/ErrorBox.h"

namespace tilvaro {

// Returns true when the handler is assigned and ran to its end.
template <typename Handler, typename... Args>
bool RaiseEvent(const Handler& handler, Args&&... args) {
  if (!handler) return false;
  const Handler copy = handler;
  return RunGuarded([&] { copy(std::forward<Args>(args)...); });
}

}  // namespace tilvaro
