#include "platform/raster/Bitmap.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tilvaro {

int NearestPaletteIndex(const Palette& palette, Rgb color) {
  int best = -1;
  long bestDistance = 0;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const long dr = palette[i].r - color.r;
    const long dg = palette[i].g - color.g;
    const long db = palette[i].b - color.b;
    const long distance = dr * dr + dg * dg + db * db;
    if (best < 0 || distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

Bitmap::Bitmap(int width, int height, PixelFormat format)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), format_(format) {
  if (format_ == PixelFormat::Color) {
    colors_.assign(static_cast<std::size_t>(width_) * height_, kWhite);
  } else {
    bits_.assign(static_cast<std::size_t>(MonoStride()) * height_, 0xFF);
  }
}

Bitmap Bitmap::Color(int width, int height, Rgb fill) {
  Bitmap bitmap(width, height, PixelFormat::Color);
  bitmap.Fill(fill);
  return bitmap;
}

Bitmap Bitmap::Mono(int width, int height, bool fill) {
  Bitmap bitmap(width, height, PixelFormat::Mono);
  if (!fill) bitmap.Fill(kBlack);
  return bitmap;
}

void Bitmap::CheckInside(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside a " +
                            std::to_string(width_) + " x " + std::to_string(height_) + " bitmap");
  }
}

Rgb Bitmap::Pixel(int x, int y) const {
  CheckInside(x, y);
  if (IsMono()) return BitAt(x, y) ? kWhite : kBlack;
  return ColorRow(y)[x];
}

void Bitmap::SetPixel(int x, int y, Rgb color) {
  CheckInside(x, y);
  if (IsMono()) {
    PutBit(x, y, MonoBitForColor(color));
  } else {
    ColorRow(y)[x] = color;
  }
}

bool Bitmap::Bit(int x, int y) const {
  CheckInside(x, y);
  return IsMono() ? BitAt(x, y) : ColorRow(y)[x] == kWhite;
}

void Bitmap::SetBit(int x, int y, bool bit) {
  CheckInside(x, y);
  if (IsMono()) {
    PutBit(x, y, bit);
  } else {
    ColorRow(y)[x] = bit ? kWhite : kBlack;
  }
}

void Bitmap::Fill(Rgb color) {
  if (IsMono()) {
    std::fill(bits_.begin(), bits_.end(), MonoBitForColor(color) ? 0xFF : 0x00);
  } else {
    std::fill(colors_.begin(), colors_.end(), color);
  }
}

void Bitmap::Resize(int width, int height) {
  Bitmap resized(width, height, format_);
  const int w = std::min(width_, resized.width_);
  const int h = std::min(height_, resized.height_);
  for (int y = 0; y < h; ++y) {
    if (IsMono()) {
      for (int x = 0; x < w; ++x) resized.PutBit(x, y, BitAt(x, y));
    } else {
      std::copy_n(ColorRow(y), w, resized.ColorRow(y));
    }
  }
  width_ = resized.width_;
  height_ = resized.height_;
  colors_ = std::move(resized.colors_);
  bits_ = std::move(resized.bits_);
}

Bitmap Bitmap::Copy(const Rect& area) const {
  Bitmap copy(area.Width(), area.Height(), format_);
  copy.background_ = background_;
  copy.text_ = text_;
  copy.palette_ = palette_;
  const Rect inside = area.Intersect(Bounds());
  for (int y = inside.top; y < inside.bottom; ++y) {
    for (int x = inside.left; x < inside.right; ++x) {
      if (IsMono()) {
        copy.PutBit(x - area.left, y - area.top, BitAt(x, y));
      } else {
        copy.ColorRow(y - area.top)[x - area.left] = ColorRow(y)[x];
      }
    }
  }
  return copy;
}

Rgb Bitmap::NearestColor(Rgb color) const {
  if (HasPalette()) return palette_[static_cast<std::size_t>(NearestPaletteIndex(palette_, color))];
  if (IsMono()) return MonoBitForColor(color) ? kWhite : kBlack;
  return color;
}

Rgb Bitmap::MatchColor(TColor color) const {
  const Rgb rgb = ResolveColor(color);
  if ((color & kPaletteRelativeFlag) != 0 && !IsSysColor(color) && HasPalette()) {
    return palette_[static_cast<std::size_t>(NearestPaletteIndex(palette_, rgb))];
  }
  return rgb;
}

bool Bitmap::SamePixels(const Bitmap& other) const {
  if (width_ != other.width_ || height_ != other.height_ || format_ != other.format_) return false;
  if (!IsMono()) return colors_ == other.colors_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (BitAt(x, y) != other.BitAt(x, y)) return false;
    }
  }
  return true;
}

}  // namespace tilvaro
