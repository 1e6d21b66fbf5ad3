#include "picture/LayoutPicture.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "layout/LayoutFile.h"
#include "picture/LayoutImageFile.h"

namespace tilvaro::picture {
namespace {

namespace fs = std::filesystem;

Layout Sample(const std::string& name) {
  return ReadLayoutFile(fs::path(TILVARO_SOURCE_DIR) / "examples/layouts" / (name + ".set")).layout;
}

// Every cell set, numbered, with layers 3 and 4 above the layer count (faded).
Layout Full() {
  Layout layout;
  layout.attributes.layerCount = 2;
  layout.attributes.colourScheme = 8;
  layout.attributes.inscription = true;
  for (int column = 0; column < kColumns; ++column)
    for (int row = 0; row < kRows; ++row)
      for (int layer = 1; layer <= kLayers; ++layer) layout.cells(column, row, layer) = 1;
  return layout;
}

QImage FromPng(const std::string& png) {
  QImage image;
  image.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG");
  return image.convertToFormat(QImage::Format_ARGB32);
}

// The pictures are drawn aliased with solid colours, so they must match their goldens pixel for
// pixel. After a deliberate change of the look, regenerate the goldens with
//   TILVARO_UPDATE_GOLDENS=1 build/tests/tilvaro_picture_tests --gtest_filter='*Golden*'
// and look at them before committing.
TEST(LayoutPictureTest, MatchesTheGoldenPictures) {
  const struct {
    const char* golden;
    Layout layout;
    std::optional<int> size;
  } cases[] = {
      {"Bruecke", Sample("Bruecke"), std::nullopt}, {"Pyramide", Sample("Pyramide"), std::nullopt},
      {"Turm", Sample("Turm"), std::nullopt},       {"Pyramide-128", Sample("Pyramide"), 128},
      {"full", Full(), std::nullopt},               {"full-64", Full(), 64},
  };
  const bool update = std::getenv("TILVARO_UPDATE_GOLDENS") != nullptr;
  for (const auto& c : cases) {
    const fs::path golden = fs::path(TILVARO_TEST_FIXTURES) / "picture" / (std::string(c.golden) + ".png");
    const QImage actual = FromPng(LayoutImageFile(c.layout, c.size, "png"));
    ASSERT_FALSE(actual.isNull()) << c.golden;
    if (update) {
      ASSERT_TRUE(actual.save(QString::fromStdString(golden.string()))) << golden;
      continue;
    }
    const QImage expected = QImage(QString::fromStdString(golden.string())).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(expected.isNull()) << "missing golden " << golden;
    if (actual != expected) actual.save(QString::fromStdString(std::string(c.golden) + ".actual.png"));
    EXPECT_TRUE(actual == expected) << c.golden << " differs; see " << c.golden << ".actual.png in the test's folder";
  }
}

TEST(LayoutPictureTest, FitsIntoTheRequestedSizeAsLargeAsPossible) {
  for (const int size : {18, 64, 128, 256, 1000}) {
    const PictureGeometry fit = PictureGeometry::FittingInto(size);
    EXPECT_LE(std::max(fit.Width(), fit.Height()), size) << size;
    const PictureGeometry larger = PictureGeometry::ForTileWidth(fit.tileWidth + 1);
    EXPECT_GT(std::max(larger.Width(), larger.Height()), size) << size;
  }
  for (const int size : {1, 5, 17}) {
    const QImage tiny = DrawLayoutPictureFitting(Full(), size);
    EXPECT_EQ(tiny.width(), size);  // the picture is wider than high
    EXPECT_LE(tiny.height(), size);
  }
  // Numbers only where they can be read.
  EXPECT_GT(PictureGeometry::Natural().NumberScale(), 0);
  EXPECT_EQ(PictureGeometry::ForTileWidth(8).NumberScale(), 0);
}

// Alpha in the middle of the face of the one tile, at column 5, row 3 of layer 4.
int FaceAlpha(int layerCount) {
  Layout layout;
  layout.attributes.layerCount = layerCount;
  layout.cells(5, 3, 4) = 1;
  const PictureGeometry geometry = PictureGeometry::Natural();
  const QImage picture = DrawLayoutPicture(layout, geometry);
  return qAlpha(picture.pixel(geometry.FaceLeft(5, 4) + geometry.tileWidth / 2,
                              geometry.FaceTop(3, 4) + geometry.tileHeight / 2));
}

TEST(LayoutPictureTest, LayersAboveTheLayerCountAreFaded) {
  EXPECT_EQ(FaceAlpha(4), 255);
  const int faded = FaceAlpha(3);
  EXPECT_TRUE(faded > 40 && faded < 120) << faded;
  EXPECT_EQ(qAlpha(DrawLayoutPicture(Layout{}, PictureGeometry::Natural()).pixel(100, 100)), 0);  // background
}

}  // namespace
}  // namespace tilvaro::picture
