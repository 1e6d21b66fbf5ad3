#pragma once

#include <QRect>
#include <QSize>

namespace tilvaro {

// Where a window whose frame is `size` goes beside the window whose frame is `owner`, on a screen
// whose free area is `available`: right of the owner, else left of it, below or above it,
// whichever lies wholly on the screen first. Where none does, each place is moved onto the screen
// and the one is taken that covers the least of `keepClear` (the part of the owner the user works
// in), then the least of the owner. The result is the frame rectangle; it is always wholly on the
// screen when the window fits on it at all, and starts at the screen's top-left where it does not.
QRect PlaceBeside(const QRect& available, const QRect& owner, const QRect& keepClear, const QSize& size);

}  // namespace tilvaro
