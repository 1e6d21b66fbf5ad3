#include "platform/raster/Brush.h"

namespace tilvaro {

Brush Brush::Solid(TColor color) {
  Brush brush;
  brush.color_ = color;
  return brush;
}

Brush Brush::Pattern(const Bitmap& pattern) {
  Brush brush;
  if (!pattern.IsEmpty()) brush.pattern_ = std::make_shared<const Bitmap>(pattern);
  return brush;
}

}  // namespace tilvaro
