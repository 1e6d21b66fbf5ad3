#pragma once

#include <QImage>

#include "layout/Layout.h"
#include "picture/PictureGeometry.h"

namespace tilvaro::picture {

// Draws the layout as the stack of tiles it describes, on a transparent background: every occupied
// cell of all four layers, layer 1 first, each tile a face and a darker side in the layout's 3D
// colour scheme. Layers above the layout's layer count are drawn faded, since the file keeps their
// tiles and they count toward the even total. With the inscription flag on, the tiles of the layers
// in use carry running numbers (layer by layer, row by row, left to right) where they are large
// enough to read.
// Painting is aliased and solid, so a layout gives the same pixels on every machine.
QImage DrawLayoutPicture(const Layout& layout, const PictureGeometry& geometry);

// The picture fitted into size x size pixels keeping its proportions; sizes smaller than the
// smallest picture get that one scaled down.
QImage DrawLayoutPictureFitting(const Layout& layout, int size);

}  // namespace tilvaro::picture
