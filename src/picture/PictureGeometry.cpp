#include "picture/PictureGeometry.h"

#include <algorithm>

#include "layout/LayerCells.h"
#include "picture/DigitFont.h"

namespace tilvaro::picture {
namespace {

constexpr int kNaturalTileWidth = 30;
constexpr int kLargestTileWidth = 1024;
// The widest running number: all 392 cells hold a tile.
constexpr int kLargestNumber = kColumns * kRows * kLayers;
// Room between the digits and the face's outline and highlight.
constexpr int kNumberMargin = 4;

}  // namespace

PictureGeometry PictureGeometry::Natural() { return ForTileWidth(kNaturalTileWidth); }

PictureGeometry PictureGeometry::ForTileWidth(int tileWidth) {
  const int width = std::clamp(tileWidth, 1, kLargestTileWidth);
  // Tiles stand upright at 3:4; the side is a fifth of the width, at least a pixel so layers show.
  return {.tileWidth = width, .tileHeight = (4 * width + 1) / 3, .depth = std::max(1, (width + 2) / 5)};
}

PictureGeometry PictureGeometry::FittingInto(int size) {
  PictureGeometry best = ForTileWidth(1);
  for (int width = 2; width <= kLargestTileWidth; ++width) {
    const PictureGeometry candidate = ForTileWidth(width);
    if (candidate.Width() > size || candidate.Height() > size) break;
    best = candidate;
  }
  return best;
}

int PictureGeometry::Width() const { return kColumns * tileWidth + kLayers * depth; }
int PictureGeometry::Height() const { return kRows * tileHeight + kLayers * depth; }
int PictureGeometry::FaceLeft(int column, int layer) const { return (kLayers - layer) * depth + column * tileWidth; }
int PictureGeometry::FaceTop(int row, int layer) const { return (kLayers - layer) * depth + row * tileHeight; }

int PictureGeometry::NumberScale() const {
  const int scale = std::max(1, tileWidth / 15);
  const bool fits = DigitFont::TextWidth(kLargestNumber, scale) + kNumberMargin <= tileWidth &&
                    DigitFont::TextHeight(scale) + kNumberMargin <= tileHeight;
  return fits ? scale : 0;
}

}  // namespace tilvaro::picture
