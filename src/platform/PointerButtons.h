#pragma once
// Which mouse buttons are held down right now, and where the pointer is.
//
// On X11 the X server is asked: Qt's own record follows the button events it has been handed, and
// a release that the window system reports while a popup gives up its pointer grab can fail to
// reach the application at all, leaving that record showing the button held. Elsewhere (offscreen,
// Wayland) Qt's record of the buttons is the best there is, and the position is not known.

#include <QPoint>
#include <Qt>
#include <optional>

namespace tilvaro {

struct PointerState {
  Qt::MouseButtons buttons;
  std::optional<QPoint> position;  // on the screen
};

PointerState PointerNow();

}  // namespace tilvaro
