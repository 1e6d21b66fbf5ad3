#pragma once

#include "layout/LayerCells.h"
#include "layout/LayoutAttributes.h"

namespace tilvaro {

// One whole layout: its attributes and the occupancy of its 392 cells.
struct Layout {
  LayoutAttributes attributes;
  LayerCells cells;

  bool operator==(const Layout&) const = default;
};

}  // namespace tilvaro
