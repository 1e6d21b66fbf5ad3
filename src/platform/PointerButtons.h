#pragma once
// Which mouse buttons are held down right now.
//
// On X11 the X server is asked: Qt's own record follows the button events it has been handed, and
// a release that the window system reports while a popup gives up its pointer grab can fail to
// reach the application at all, leaving that record showing the button held. Elsewhere (offscreen,
// Wayland) Qt's record is the best there is.

#include <Qt>

namespace tilvaro {

Qt::MouseButtons PointerButtonsNow();

}  // namespace tilvaro
