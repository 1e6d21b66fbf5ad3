#include "layout/LayerTools.h"

namespace tilvaro {

int LayerToolTarget(LayerTool tool, int layer) {
  int target = layer;
  if (tool == LayerTool::CopyUp) target = layer + 1;
  if (tool == LayerTool::CopyDown) target = layer - 1;
  return layer >= 1 && layer <= kLayers && target >= 1 && target <= kLayers ? target : 0;
}

std::optional<LayerCells> ApplyLayerTool(const LayerCells& cells, LayerTool tool, int layer) {
  const int target = LayerToolTarget(tool, layer);
  if (target == 0) return std::nullopt;
  LayerCells result = cells;
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      std::uint8_t value = 0;
      switch (tool) {
        case LayerTool::MirrorLeftRight: value = cells(kColumns - 1 - column, row, layer); break;
        case LayerTool::MirrorTopBottom: value = cells(column, kRows - 1 - row, layer); break;
        case LayerTool::Clear: value = 0; break;
        case LayerTool::CopyUp:
        case LayerTool::CopyDown: value = cells(column, row, layer); break;
      }
      result(column, row, target) = value != 0 ? 1 : 0;
    }
  }
  if (result == cells) return std::nullopt;
  return result;
}

}  // namespace tilvaro
