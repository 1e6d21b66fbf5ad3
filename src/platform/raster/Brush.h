#pragma once
// Brushes for the pattern operand of raster operations.

#include <memory>

#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"

namespace tilvaro {

// A solid colour or a pattern bitmap (usually 8 x 8, mono or colour). Patterns are tiled from the
// destination's origin: destination pixel (x, y) takes pattern pixel (x mod width, y mod height),
// whatever rectangle is painted. A mono pattern on a colour destination paints 0 bits in the
// destination's text colour and 1 bits in its background colour; on a mono destination its bits are
// used as they are. A solid colour (system colours resolved when painted) on a mono destination
// becomes 1 when r + g + b >= 384, else 0. The default brush is solid white, like a fresh DC's.
class Brush {
 public:
  Brush() = default;
  static Brush Solid(TColor color);
  // An empty pattern bitmap gives a solid white brush.
  static Brush Pattern(const Bitmap& pattern);

  TColor Color() const { return color_; }
  const Bitmap* PatternBitmap() const { return pattern_.get(); }

 private:
  TColor color_ = RGBColor(255, 255, 255);
  std::shared_ptr<const Bitmap> pattern_;  // immutable, so copies of a brush may share it
};

}  // namespace tilvaro
