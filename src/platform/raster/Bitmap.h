#pragma once
// Colour and monochrome bitmaps. Each bitmap also carries the state of the device context it is
// selected into on the platform: a background colour and a text colour, which the conversions
// between colour and monochrome use (see Blit.h).

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/raster/Color.h"
#include "platform/raster/Geometry.h"

namespace tilvaro {

enum class PixelFormat : std::uint8_t { Mono, Color };

// A colour table. A bitmap with one still stores plain RGB pixels; the palette only answers which
// colours the bitmap "can hold" (NearestColor) and is used for palette-relative colour matches.
using Palette = std::vector<Rgb>;

// Index of the palette entry nearest to `color` by the sum of squared channel differences; the first
// of equally near entries wins. -1 for an empty palette.
int NearestPaletteIndex(const Palette& palette, Rgb color);

class Bitmap {
 public:
  // An empty (0 x 0) colour bitmap.
  Bitmap() = default;
  // A width x height bitmap, all white: colour pixels 255,255,255, mono bits 1. Negative sizes are
  // taken as 0.
  Bitmap(int width, int height, PixelFormat format = PixelFormat::Color);
  static Bitmap Color(int width, int height, Rgb fill = kWhite);
  static Bitmap Mono(int width, int height, bool fill = true);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Size GetSize() const { return Size{width_, height_}; }
  Rect Bounds() const { return Rect{0, 0, width_, height_}; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  PixelFormat Format() const { return format_; }
  bool IsMono() const { return format_ == PixelFormat::Mono; }

  // Pixel access; coordinates outside the bitmap throw std::out_of_range.
  // Mono bitmaps: bit 0 reads as black, bit 1 as white; SetPixel stores 1 for colours whose
  // r + g + b is at least 384 (nearer to white), 0 otherwise.
  Rgb Pixel(int x, int y) const;
  void SetPixel(int x, int y, Rgb color);
  // Mono: the bit. Colour: whether the pixel is white / sets white (true) or black (false).
  bool Bit(int x, int y) const;
  void SetBit(int x, int y, bool bit);

  // Whole-bitmap fill (mono: by the SetPixel rule). For rectangles and system colours use FillRect
  // in Blit.h.
  void Fill(Rgb color);

  // New size; the overlapping top-left part keeps its pixels, new pixels are white (mono: 1).
  void Resize(int width, int height);
  // A new bitmap holding `area` (clipped to this bitmap) with this bitmap's format, palette and
  // colours; pixels of `area` outside this bitmap are white.
  Bitmap Copy(const Rect& area) const;

  // Device-context state; default background white, text black (as a fresh platform DC).
  TColor BackgroundColor() const { return background_; }
  void SetBackgroundColor(TColor color) { background_ = color; }
  TColor TextColor() const { return text_; }
  void SetTextColor(TColor color) { text_ = color; }

  const Palette& GetPalette() const { return palette_; }
  bool HasPalette() const { return !palette_.empty(); }
  void SetPalette(Palette palette) { palette_ = std::move(palette); }
  // The colour nearest to `color` that this bitmap can hold: the nearest palette entry when it has
  // a palette; black or white for a mono bitmap (by the SetPixel rule); else `color` itself.
  Rgb NearestColor(Rgb color) const;
  // The RGB a colour-to-mono conversion compares pixels with for `color`: ResolveColor(color), then,
  // for a palette-relative colour (kPaletteRelativeFlag) on a bitmap with a palette, the nearest
  // palette entry.
  Rgb MatchColor(TColor color) const;

  // Raw rows. Colour: Width() Rgb values. Mono: (Width() + 7) / 8 bytes, most significant bit =
  // leftmost pixel, unused low bits of the last byte undefined.
  const Rgb* ColorRow(int y) const { return colors_.data() + static_cast<std::size_t>(y) * width_; }
  Rgb* ColorRow(int y) { return colors_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint8_t* MonoRow(int y) const { return bits_.data() + static_cast<std::size_t>(y) * MonoStride(); }
  std::uint8_t* MonoRow(int y) { return bits_.data() + static_cast<std::size_t>(y) * MonoStride(); }
  int MonoStride() const { return (width_ + 7) / 8; }

  // Unchecked fast access for the blitter (coordinates must be inside).
  bool BitAt(int x, int y) const { return (MonoRow(y)[x >> 3] >> (7 - (x & 7))) & 1; }
  void PutBit(int x, int y, bool bit) {
    std::uint8_t& byte = MonoRow(y)[x >> 3];
    const std::uint8_t m = static_cast<std::uint8_t>(0x80 >> (x & 7));
    byte = bit ? static_cast<std::uint8_t>(byte | m) : static_cast<std::uint8_t>(byte & ~m);
  }

  // Same size, format and pixels (palette and DC colours are not compared).
  bool SamePixels(const Bitmap& other) const;

 private:
  void CheckInside(int x, int y) const;

  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Color;
  TColor background_ = RGBColor(255, 255, 255);
  TColor text_ = RGBColor(0, 0, 0);
  std::vector<Rgb> colors_;         // colour bitmaps
  std::vector<std::uint8_t> bits_;  // mono bitmaps
  Palette palette_;
};

// The mono bit a colour becomes when it is not matched against a background colour (SetPixel rule).
constexpr bool MonoBitForColor(Rgb c) { return c.r + c.g + c.b >= 384; }

}  // namespace tilvaro
