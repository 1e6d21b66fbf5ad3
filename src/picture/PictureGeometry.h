#pragma once

namespace tilvaro::picture {

// Where the tiles of a layout picture go. Every tile is a face of tileWidth x tileHeight pixels
// with a side `depth` pixels thick below and to its right; each layer sits `depth` pixels up and to
// the left of the one below, so a tile rests exactly on the tile beneath it. Layer 4's faces start at
// the picture's left and top edge, layer 1's side ends at its right and bottom edge.
struct PictureGeometry {
  int tileWidth = 1, tileHeight = 1, depth = 1;

  // Tile width 30: big enough for the running numbers.
  static PictureGeometry Natural();
  // The face proportions and depth that go with a tile width (at least 1).
  static PictureGeometry ForTileWidth(int tileWidth);
  // The largest picture whose width and height both fit into size; the smallest picture (tile
  // width 1) when none fits.
  static PictureGeometry FittingInto(int size);

  int Width() const;
  int Height() const;
  int FaceLeft(int column, int layer) const;
  int FaceTop(int row, int layer) const;
  // Pixel size of the running numbers' digit squares; 0 when the tiles are too small for numbers.
  int NumberScale() const;

  bool operator==(const PictureGeometry&) const = default;
};

}  // namespace tilvaro::picture
