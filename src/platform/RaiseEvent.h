#pragma once
// RaiseEvent: the one way a control raises an event to the window's handlers.
//
// An unassigned handler is skipped. An exception thrown by the handler ends the handler there and
// is reported as RunGuarded reports it (the unexpected-error box); it never travels on into the
// control or through Qt's event dispatch. Arguments are passed on as given, so `var` parameters (bool&)
// come back changed. The handler is copied before it runs, so a handler that destroys the
// control (and with it the control's handler field) still runs to its end.

#include <exception>
#include <utility>

#include "platform/ErrorBox.h"

namespace tilvaro {

// Runs the handler if it is assigned and returns what it threw: null when it ran to its end or
// is unassigned. For a control that reports the failure itself once its own steps are done.
template <typename Handler, typename... Args>
std::exception_ptr RaiseCatching(const Handler& handler, Args&&... args) {
  if (!handler) return nullptr;
  const Handler copy = handler;
  return RunCatching([&] { copy(std::forward<Args>(args)...); });
}

// Returns true when the handler is assigned and ran to its end.
template <typename Handler, typename... Args>
bool RaiseEvent(const Handler& handler, Args&&... args) {
  if (!handler) return false;
  const std::exception_ptr failure = RaiseCatching(handler, std::forward<Args>(args)...);
  ReportFailure(failure);
  return !failure;
}

}  // namespace tilvaro
