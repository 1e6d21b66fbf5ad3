#include "layout/LayerCells.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "layout/LayoutAttributes.h"

namespace tilvaro {
namespace {

TEST(LayerCellsTest, EveryCoordinateAddressesItsOwnCell) {
  LayerCells cells;
  std::set<const std::uint8_t*> seen;
  for (int column = 0; column < kColumns; ++column)
    for (int row = 0; row < kRows; ++row)
      for (int layer = 1; layer <= kLayers; ++layer) seen.insert(&cells(column, row, layer));
  EXPECT_EQ(seen.size(), 392u);
  // Layer is the innermost index: neighbouring layers of one cell lie next to each other.
  EXPECT_EQ(&cells(3, 2, 2) - &cells(3, 2, 1), 1);
  EXPECT_EQ(&cells(3, 3, 1) - &cells(3, 2, 1), kLayers);
  EXPECT_EQ(&cells(4, 2, 1) - &cells(3, 2, 1), kRows * kLayers);
}

TEST(LayerCellsTest, CoordinatesOffTheBoardAreRefused) {
  LayerCells cells;
  const LayerCells& constCells = cells;
  EXPECT_THROW(cells(14, 0, 1), std::out_of_range);
  EXPECT_THROW(cells(-1, 0, 1), std::out_of_range);
  EXPECT_THROW(cells(0, 7, 1), std::out_of_range);
  EXPECT_THROW(cells(0, 0, 0), std::out_of_range);
  EXPECT_THROW(constCells(0, 0, 5), std::out_of_range);
  EXPECT_THROW(constCells.HasTile(0, -1, 1), std::out_of_range);
  EXPECT_NO_THROW(cells(13, 6, 4));
}

TEST(LayerCellsTest, CountsAllFourLayersWhateverTheLayerCount) {
  LayerCells cells;
  EXPECT_EQ(cells.TileCount(), 0);
  EXPECT_TRUE(cells.IsEven());

  cells(0, 0, 1) = 1;
  cells(1, 0, 1) = 1;
  cells(2, 0, 1) = 1;
  EXPECT_FALSE(cells.IsEven());
  cells(13, 6, 4) = 1;
  EXPECT_EQ(cells.TileCount(), 4);
  EXPECT_TRUE(cells.IsEven());
  cells(13, 6, 4) = 0;
  EXPECT_FALSE(cells.IsEven());

  // Any non-zero byte is a tile.
  cells(5, 5, 3) = 7;
  EXPECT_TRUE(cells.HasTile(5, 5, 3));
  EXPECT_EQ(cells.TileCount(), 4);
}

TEST(LayerCellsTest, FullBoardIsEvenAndClearEmptiesIt) {
  LayerCells cells;
  for (int column = 0; column < kColumns; ++column)
    for (int row = 0; row < kRows; ++row)
      for (int layer = 1; layer <= kLayers; ++layer) cells(column, row, layer) = 1;
  EXPECT_EQ(cells.TileCount(), 392);
  EXPECT_TRUE(cells.IsEven());
  cells.Clear();
  EXPECT_EQ(cells, LayerCells{});
}

TEST(LayoutAttributesTest, ColourSchemeNames) {
  EXPECT_EQ(ColourSchemeName(1), "Hellgrau");
  EXPECT_EQ(ColourSchemeName(3), "Dunkelgrau");
  EXPECT_EQ(ColourSchemeName(6), "Grün");
  EXPECT_EQ(ColourSchemeName(8), "Gelb");
  EXPECT_EQ(ColourSchemeName(0), "");
  EXPECT_EQ(ColourSchemeName(9), "");
}

TEST(LayoutAttributesTest, DefaultsAreTheValuesAfterNew) {
  const LayoutAttributes attributes;
  EXPECT_EQ(attributes.layerCount, 1);
  EXPECT_EQ(attributes.colourScheme, 1);
  EXPECT_FALSE(attributes.inscription);
  EXPECT_TRUE(attributes.name.empty() && attributes.author.empty() && attributes.background.empty());
  EXPECT_TRUE(attributes.tileSets.empty());
}

}  // namespace
}  // namespace tilvaro
