#include "platform/CursorImage.h"

#include <QBitmap>
#include <QImage>
#include <string_view>

namespace tilvaro {

namespace {

// The lowest row holding a set pixel, or -1.
int LowestRow(const std::vector<std::uint8_t>& plane, int width, int height) {
  if (plane.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return -1;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      if (plane[static_cast<std::size_t>(y) * width + x] != 0) return y;
    }
  }
  return -1;
}

std::vector<std::uint8_t> Plane(const QImage& image, bool (*set)(QRgb)) {
  std::vector<std::uint8_t> plane(static_cast<std::size_t>(image.width()) * image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) plane[static_cast<std::size_t>(y) * image.width() + x] = set(line[x]);
  }
  return plane;
}

}  // namespace

int CursorBottomOffset(const CursorImage& image) {
  if (const int row = LowestRow(image.drawn, image.width, image.height); row >= 0) {
    return row - image.hotSpot.y();
  }
  if (const int row = LowestRow(image.inverting, image.width, image.height); row >= 0) {
    return row - image.hotSpot.y();
  }
  return kUnknownCursorBottomOffset;
}

CursorImage CursorImageFromImage(const QImage& picture, QPoint hotSpot) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  CursorImage result{argb.width(), argb.height(), hotSpot, {}, {}};
  result.drawn = Plane(argb, [](QRgb pixel) { return qAlpha(pixel) >= 128; });
  return result;
}

const CursorImage& ClassicArrowCursorImage() {
  // 'o' outline, '#' fill: both draw.
  static constexpr std::string_view kRows[] = {
      "o",          "oo",          "o#o",         "o##o",        "o###o",     "o####o",     "o#####o",
      "o######o",   "o#######o",   "o########o",  "o#####ooooo", "o##o##o",   "o#oo##o",    "oo  o##o",
      "o   o##o",   "     o##o",   "     o##o",   "      o##o",  "      oo",
  };
  static const CursorImage arrow = [] {
    constexpr int kSize = 32;
    CursorImage image{kSize, kSize, QPoint(0, 0), std::vector<std::uint8_t>(kSize * kSize, 0), {}};
    for (std::size_t y = 0; y < std::size(kRows); ++y) {
      for (std::size_t x = 0; x < kRows[y].size(); ++x) image.drawn[y * kSize + x] = kRows[y][x] != ' ';
    }
    return image;
  }();
  return arrow;
}

CursorImage CursorImageFromBitmaps(const QBitmap& bitmap, const QBitmap& mask, QPoint hotSpot) {
  // In a QBitmap's image a set bit (colour 1) reads as black.
  const auto isSet = [](QRgb pixel) { return qGray(pixel) < 128; };
  const QImage maskImage = mask.toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage bitmapImage = bitmap.toImage().convertToFormat(QImage::Format_ARGB32);
  CursorImage result{maskImage.width(), maskImage.height(), hotSpot, {}, {}};
  result.drawn = Plane(maskImage, isSet);
  if (bitmapImage.size() == maskImage.size()) {
    const std::vector<std::uint8_t> bits = Plane(bitmapImage, isSet);
    result.inverting.resize(bits.size());
    for (std::size_t i = 0; i < bits.size(); ++i) result.inverting[i] = bits[i] && !result.drawn[i];
  }
  return result;
}

}  // namespace tilvaro
