#pragma once
// Centring a top-level window on its screen as the user sees it: the whole window, with the frame
// the window manager draws around it, not just its client area.

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace tilvaro {

// The frame the window manager drew around a shown top-level window; null while it is unknown.
QMargins FrameMargins(const QWidget& window);

// The geometry of the client area of a window of the given client size whose frame, of the given
// margins, is centred in `available` (the frame's odd pixel goes left or up).
QRect CentredClientGeometry(const QRect& available, const QSize& client, const QMargins& frame);

// Centres the window on its screen now, with the frame known so far, and once more as soon as the
// window manager has framed it and its frame is known. A dialog is centred on the screen of the
// window it belongs to, with that window's frame until it has one of its own.
void CentreOnScreen(QWidget& window);

}  // namespace tilvaro
