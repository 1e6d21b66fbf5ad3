#pragma once
// The application's one handler for unexpected errors, and the error message box.
//
// Every handler that a control's event runs (a click, a scroll-bar change, ...) is run through
// RunGuarded. An exception thrown by the handler ends it there; RunGuarded catches it and shows its
// message followed by "." in a critical message box captioned with the application title, and the
// program goes on. No exception ever travels through Qt's event dispatch.

#include <QMessageBox>
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace tilvaro {

// The application's title: the caption of the unexpected-error box. It is deliberately not the
// application display name, which the X11 platform would append to every window title.
inline constexpr char kApplicationTitle[] = "Tilvaro - Editor";

// Shows `text` in a modal message box with the critical icon and an OK button, owned by `owner`
// (may be null), captioned `caption`. Returns when the user has closed it.
void ShowErrorBox(QWidget* owner, const QString& text, const QString& caption);

// Runs `handler`. Any exception it throws is caught here and reported as "<message>." in an error
// box captioned with kApplicationTitle and owned by the active window. Returns true when the
// handler ran to its end.
bool RunGuarded(const std::function<void()>& handler);

// The two halves of RunGuarded, for a control that must finish its own steps between a handler's
// failure and its report: runs `handler` and returns what it threw (null when it ran to its end);
// and shows a caught failure as RunGuarded does.
std::exception_ptr RunCatching(const std::function<void()>& handler);
void ReportFailure(const std::exception_ptr& failure);

// Wraps a handler taking the sender so that it runs through RunGuarded; handy for wiring events.
std::function<void(QObject*)> Guarded(std::function<void(QObject*)> handler);

}  // namespace tilvaro
