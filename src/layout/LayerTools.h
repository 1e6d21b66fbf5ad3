#pragma once

#include <optional>

#include "layout/LayerCells.h"

namespace tilvaro {

// Whole-layer edits of a layout's cells, for drawing symmetric and stacked layouts quickly.
enum class LayerTool {
  MirrorLeftRight,  // the columns of the layer in reverse order
  MirrorTopBottom,  // the rows of the layer in reverse order
  Clear,            // every cell of the layer empty
  CopyUp,           // the layer above becomes a copy of the layer
  CopyDown,         // the layer below becomes a copy of the layer
};

// The layer a tool changes when used on `layer`: the layer itself, or the one above or below it
// for the copies; 0 when there is no such layer.
int LayerToolTarget(LayerTool tool, int layer);

// The cells after using `tool` on `layer` (1..4); nothing when the tool would change nothing
// (an empty layer, a layer already symmetric, a copy onto an equal layer or off the stack).
std::optional<LayerCells> ApplyLayerTool(const LayerCells& cells, LayerTool tool, int layer);

}  // namespace tilvaro
