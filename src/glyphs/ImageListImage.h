#pragma once
// Turns one image of a masked image list into a QImage for drawing with QPainter.

#include <QImage>

namespace tilvaro {

class TImageList;

// Image `index` of `list` as an ARGB32 (premultiplied) QImage of the list's cell size: each pixel the
// image's colour, fully opaque where the mask bit is 0 and fully transparent where it is 1. A null
// QImage for an index out of range.
QImage ImageListCellToQImage(const TImageList& list, int index);

}  // namespace tilvaro
