#include "layout/LayerTools.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tilvaro {
namespace {

// A layer from its rows as they appear in a file ("x" a tile), rows left out empty.
void SetLayer(LayerCells& cells, int layer, const std::vector<std::string>& rows) {
  for (std::size_t row = 0; row < rows.size(); ++row)
    for (std::size_t column = 0; column < rows[row].size(); ++column)
      cells(static_cast<int>(column), static_cast<int>(row), layer) = rows[row][column] == 'x' ? 1 : 0;
}

std::vector<std::string> Rows(const LayerCells& cells, int layer) {
  std::vector<std::string> rows;
  for (int row = 0; row < kRows; ++row) rows.push_back(cells.RowText(row, layer));
  return rows;
}

const std::string kEmpty(14, '.');

TEST(LayerToolsTest, EachToolChangesOnlyItsTargetLayer) {
  LayerCells cells;
  // Layer 2 holds an L in the top-left corner; layers 1 and 3 hold a tile each as witnesses.
  SetLayer(cells, 2, {"xx", "x."});
  cells(13, 6, 1) = 1;
  cells(5, 3, 3) = 1;
  struct Case {
    LayerTool tool;
    int target;
    std::vector<std::string> rows;  // the target layer afterwards, rows 0, 1, ..., 6
  };
  const Case cases[] = {
      {LayerTool::MirrorLeftRight, 2, {"............xx", ".............x", kEmpty, kEmpty, kEmpty, kEmpty, kEmpty}},
      {LayerTool::MirrorTopBottom, 2, {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, "x.............", "xx............"}},
      {LayerTool::Clear, 2, std::vector<std::string>(7, kEmpty)},
      {LayerTool::CopyUp, 3, Rows(cells, 2)},
      {LayerTool::CopyDown, 1, Rows(cells, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.tool));
    EXPECT_EQ(LayerToolTarget(c.tool, 2), c.target);
    const std::optional<LayerCells> after = ApplyLayerTool(cells, c.tool, 2);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(Rows(*after, c.target), c.rows);
    for (int layer = 1; layer <= kLayers; ++layer) {
      if (layer == c.target) continue;
      EXPECT_EQ(Rows(*after, layer), Rows(cells, layer)) << layer;
    }
  }
}

TEST(LayerToolsTest, ToolsThatWouldChangeNothingCannotAct) {
  LayerCells symmetric;
  SetLayer(symmetric, 1, {"x............x", kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, "x............x"});
  SetLayer(symmetric, 2, {"x............x", kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, "x............x"});
  const LayerCells empty;
  const struct {
    const LayerCells& cells;
    LayerTool tool;
    int layer;
  } cases[] = {
      {symmetric, LayerTool::MirrorLeftRight, 1}, {symmetric, LayerTool::MirrorTopBottom, 1},
      {symmetric, LayerTool::CopyUp, 1},          {empty, LayerTool::Clear, 3},
      {symmetric, LayerTool::CopyUp, 4},          {symmetric, LayerTool::CopyDown, 1},
      {symmetric, LayerTool::Clear, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.tool) * 10 + c.layer);
    EXPECT_FALSE(ApplyLayerTool(c.cells, c.tool, c.layer).has_value());
  }
  EXPECT_EQ(LayerToolTarget(LayerTool::CopyUp, 4), 0);
  EXPECT_EQ(LayerToolTarget(LayerTool::CopyDown, 1), 0);
}

}  // namespace
}  // namespace tilvaro
