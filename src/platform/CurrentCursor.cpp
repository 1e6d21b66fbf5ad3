#include "platform/CurrentCursor.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#ifdef TILVARO_HAVE_XFIXES
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#endif

namespace tilvaro {

std::optional<CursorImage> ServerCursorImage() {
#ifdef TILVARO_HAVE_XFIXES
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (display == nullptr) return std::nullopt;
  static const bool hasXFixes = [display] {
    int eventBase = 0, errorBase = 0;
    return XFixesQueryExtension(display, &eventBase, &errorBase) != 0;
  }();
  if (!hasXFixes) return std::nullopt;
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == nullptr) return std::nullopt;
  // The pixels are 32-bit ARGB values, each held in an unsigned long.
  QImage argb(image->width, image->height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image->height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < image->width; ++x) {
      line[x] = static_cast<QRgb>(image->pixels[static_cast<std::size_t>(y) * image->width + x]);
    }
  }
  const QPoint hotSpot(image->xhot, image->yhot);
  XFree(image);
  return CursorImageFromImage(argb, hotSpot);
#else
  return std::nullopt;
#endif
}

std::optional<CursorImage> CurrentCursorImage(const QCursor& cursor) {
  if (cursor.shape() == Qt::BitmapCursor) {
    const QPixmap pixmap = cursor.pixmap();
    if (!pixmap.isNull()) return CursorImageFromImage(pixmap.toImage(), cursor.hotSpot());
    const QBitmap mask = cursor.mask();
    if (!mask.isNull()) return CursorImageFromBitmaps(cursor.bitmap(), mask, cursor.hotSpot());
  }
  return ServerCursorImage();
}

}  // namespace tilvaro
