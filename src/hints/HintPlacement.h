#pragma once
// Where a hint window goes: below the pointer's image, kept on the pointer's screen at the right
// and bottom edges. Pure arithmetic on what the hint window measured and read.

#include <optional>

#include "platform/raster/Geometry.h"

namespace tilvaro {

struct HintPlacementInput {
  Size text;                     // the measured text: HintTextWidth x HintTextHeight
  Size extra;                    // the style's extra width W and extra height H
  Point pointer;                 // the pointer's hot spot on the screen
  int cursorBottomOffset = 32;   // hot spot to the lowest row of the pointer's image
  Rect screen;                   // the screen under the pointer
  // At the bottom edge the hint goes above the pointer (office look, or the hint belongs to a
  // window of its own); otherwise on top of the control when its top is known.
  bool abovePointerAtBottom = false;
  std::optional<int> controlTop;  // screen y of the hint control's top edge
};

// The hint window's rectangle on the screen.
Rect PlaceHint(const HintPlacementInput& input);

}  // namespace tilvaro
