#pragma once
// The image of the pointer's cursor as it shows now, for placing hints below it.
//
// Which image is used, in this order:
//   - a bitmap cursor of the program's own (the link cursor): its own image or mask;
//   - any other cursor (the theme's arrow and the like): the image the X server shows for the
//     pointer right now, read through the XFixes extension on Qt's X11 connection;
//   - nothing where neither is there (the offscreen platform, Wayland, a server without XFixes);
//     the caller then takes ClassicArrowCursorImage() instead.

#include <QCursor>
#include <optional>

#include "platform/CursorImage.h"

namespace tilvaro {

// `cursor` is the cursor the widget under the pointer shows (or the override cursor).
std::optional<CursorImage> CurrentCursorImage(const QCursor& cursor);

// The X server's image of the current cursor; none off X11 or without XFixes.
std::optional<CursorImage> ServerCursorImage();

}  // namespace tilvaro
