#include "glyphs/ImageListImage.h"

#include "glyphs/ImageList.h"

namespace tilvaro {

QImage ImageListCellToQImage(const TImageList& list, int index) {
  if (index < 0 || index >= list.Count()) return QImage();
  QImage image(list.Width(), list.Height(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < list.Height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < list.Width(); ++x) {
      const Rgb c = list.PixelAt(index, x, y);
      row[x] = list.TransparentAt(index, x, y) ? QRgb{0} : qRgba(c.r, c.g, c.b, 255);
    }
  }
  return image;
}

}  // namespace tilvaro
