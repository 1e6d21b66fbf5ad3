#include "platform/RasterImage.h"

#include <algorithm>

namespace tilvaro {

QImage ToQImage(const Bitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    if (bitmap.IsMono()) {
      for (int x = 0; x < bitmap.Width(); ++x) line[x] = bitmap.BitAt(x, y) ? 0xFFFFFFFFu : 0xFF000000u;
    } else {
      const Rgb* row = bitmap.ColorRow(y);
      for (int x = 0; x < bitmap.Width(); ++x) line[x] = qRgb(row[x].r, row[x].g, row[x].b);
    }
  }
  return image;
}

QImage ToMaskedQImage(const Bitmap& color, const Bitmap& mask) {
  QImage image = ToQImage(color).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int width = std::min(color.Width(), mask.Width());
  const int height = std::min(color.Height(), mask.Height());
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if (mask.IsMono() ? mask.BitAt(x, y) : mask.Bit(x, y)) line[x] = 0;
    }
  }
  return image;
}

Bitmap FromQImage(const QImage& image) {
  Bitmap bitmap = Bitmap::Color(image.width(), image.height());
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    Rgb* row = bitmap.ColorRow(y);
    for (int x = 0; x < rgb.width(); ++x) {
      row[x] = Rgb{static_cast<std::uint8_t>(qRed(line[x])), static_cast<std::uint8_t>(qGreen(line[x])),
                   static_cast<std::uint8_t>(qBlue(line[x]))};
    }
  }
  const QList<QRgb> table = image.colorTable();
  if (!table.isEmpty() && table.size() <= 256) {
    Palette palette;
    palette.reserve(table.size());
    for (QRgb entry : table) {
      palette.push_back(Rgb{static_cast<std::uint8_t>(qRed(entry)), static_cast<std::uint8_t>(qGreen(entry)),
                            static_cast<std::uint8_t>(qBlue(entry))});
    }
    bitmap.SetPalette(std::move(palette));
  }
  return bitmap;
}

Bitmap MaskFromAlpha(const QImage& image) {
  if (!image.hasAlphaChannel()) return Bitmap();
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  Bitmap mask = Bitmap::Mono(argb.width(), argb.height(), false);
  bool anyTransparent = false;
  for (int y = 0; y < argb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (qAlpha(line[x]) < 128) {
        mask.PutBit(x, y, true);
        anyTransparent = true;
      }
    }
  }
  return anyTransparent ? mask : Bitmap();
}

}  // namespace tilvaro
