#include "platform/PointerButtons.h"

#include <QGuiApplication>

#ifdef TILVARO_HAVE_XFIXES
#include <X11/Xlib.h>
#endif

namespace tilvaro {

PointerState PointerNow() {
#ifdef TILVARO_HAVE_XFIXES
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (display != nullptr) {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    // A round trip: the requests Qt has queued (such as giving up a popup's grab, or taking one)
    // are handled by the server first.
    if (XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask)) {
      PointerState state{{}, QPoint(rootX, rootY)};
      if (mask & Button1Mask) state.buttons |= Qt::LeftButton;
      if (mask & Button2Mask) state.buttons |= Qt::MiddleButton;
      if (mask & Button3Mask) state.buttons |= Qt::RightButton;
      return state;
    }
  }
#endif
  return {QGuiApplication::mouseButtons(), std::nullopt};
}

}  // namespace tilvaro
