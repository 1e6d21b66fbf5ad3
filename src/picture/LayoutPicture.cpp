#include "picture/LayoutPicture.h"

#include <QPainter>

#include "picture/DigitFont.h"
#include "picture/TileColours.h"

namespace tilvaro::picture {
namespace {

// Opacity of the layers above the layer count.
constexpr double kFadedOpacity = 0.3;

QImage TransparentImage(const PictureGeometry& geometry) {
  QImage image(geometry.Width(), geometry.Height(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

class TilePainter {
 public:
  TilePainter(QPainter& painter, const PictureGeometry& geometry, const TileColours& colours)
      : painter_(painter), geometry_(geometry), colours_(colours) {}

  // The face's top-left corner is at (x, y); number 0 draws no number.
  void Draw(int x, int y, int number) {
    const int w = geometry_.tileWidth, h = geometry_.tileHeight, d = geometry_.depth;
    // The side: the face pushed down and right pixel by pixel; the last step is the outline.
    for (int step = d; step >= 1; --step) {
      Fill(x + step, y + step, w, h, step == d && d > 1 ? colours_.outline : colours_.side);
    }
    if (w < 5 || h < 5) {
      // Too small for outline and highlight: a face with a seam to its right and bottom neighbours.
      Fill(x, y, w, h, w < 3 ? colours_.face : colours_.outline);
      if (w >= 3) Fill(x, y, w - 1, h - 1, colours_.face);
      return;
    }
    Fill(x, y, w, h, colours_.outline);
    Fill(x + 1, y + 1, w - 2, h - 2, colours_.highlight);
    Fill(x + 2, y + 2, w - 3, h - 3, colours_.face);
    const int scale = geometry_.NumberScale();
    if (number > 0 && scale > 0) {
      const int left = x + (w - DigitFont::TextWidth(number, scale) + 1) / 2;
      const int top = y + (h - DigitFont::TextHeight(scale) + 1) / 2;
      DigitFont::Draw(number, left, top, scale,
                      [this](int fx, int fy, int fw, int fh) { Fill(fx, fy, fw, fh, colours_.ink); });
    }
  }

 private:
  void Fill(int x, int y, int w, int h, std::uint32_t argb) { painter_.fillRect(x, y, w, h, QColor::fromRgba(argb)); }

  QPainter& painter_;
  const PictureGeometry& geometry_;
  const TileColours& colours_;
};

// Draws one layer's tiles opaquely, row by row from the top and left to right, so that each tile
// covers the sides of its neighbours above and to the left. The tiles carry their running numbers
// when `numbered`. Returns the next running number.
int DrawLayer(QImage& image, const Layout& layout, int layer, const PictureGeometry& geometry, int number,
              bool numbered) {
  const TileColours colours = TileColoursFor(layout.attributes.colourScheme);
  QPainter painter(&image);
  TilePainter tiles(painter, geometry, colours);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      if (!layout.cells.HasTile(column, row, layer)) continue;
      tiles.Draw(geometry.FaceLeft(column, layer), geometry.FaceTop(row, layer),
                 numbered ? number : 0);
      ++number;
    }
  }
  return number;
}

}  // namespace

QImage DrawLayoutPicture(const Layout& layout, const PictureGeometry& geometry) {
  QImage picture = TransparentImage(geometry);
  int number = 1;
  for (int layer = 1; layer <= kLayers; ++layer) {
    if (layer <= layout.attributes.layerCount) {
      number = DrawLayer(picture, layout, layer, geometry, number, layout.attributes.inscription);
      continue;
    }
    // A faded layer is drawn whole and then laid on at once, so its own tiles do not show through
    // each other. Its numbers are left out: seen through, they would blur into those below.
    QImage faded = TransparentImage(geometry);
    number = DrawLayer(faded, layout, layer, geometry, number, false);
    QPainter painter(&picture);
    painter.setOpacity(kFadedOpacity);
    painter.drawImage(0, 0, faded);
  }
  return picture;
}

QImage DrawLayoutPictureFitting(const Layout& layout, int size) {
  const PictureGeometry geometry = PictureGeometry::FittingInto(size);
  QImage picture = DrawLayoutPicture(layout, geometry);
  if (picture.width() <= size && picture.height() <= size) return picture;
  return picture.scaled(std::max(1, size), std::max(1, size), Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace tilvaro::picture
