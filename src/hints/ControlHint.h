#pragma once
// Which control's hint shows for the widget under the pointer, and that hint's text.
//
// A HintedControl (such as the toolbar button) decides about its hint itself; any other widget
// shows its tool tip text as its hint when it has one. Widgets that show no hint pass the question
// to their parent, up to their window (the editor's window keeps hints off).

#include <QString>

class QWidget;

namespace tilvaro {

// The control whose hint shows while the pointer is over `widget`; null when there is none.
QWidget* HintControlFor(QWidget* widget);

// The hint text of a control that HintControlFor returned.
QString HintTextOf(const QWidget& control);

}  // namespace tilvaro
