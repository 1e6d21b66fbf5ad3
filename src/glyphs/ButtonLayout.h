#pragma once
// Placement of glyph, caption and drop-down arrow inside a button's client rectangle.

#include <QString>

#include "glyphs/ButtonTypes.h"
#include "platform/raster/Geometry.h"

namespace tilvaro {

class Canvas;

struct ButtonLayoutInput {
  Rect client;
  Point offset;            // added to every position: (1, 1) while the face is pushed
  Size glyph;              // glyph cell size; (0, 0) when there is no glyph to draw
  bool drawCaption = true;
  QString caption;         // '&' marks the accelerator; measured without it
  bool wordWrap = false;
  TButtonLayout layout = TButtonLayout::blGlyphLeft;
  int margin = -1;         // -1: automatic
  int spacing = -1;        // -1: automatic
  bool dropArrow = false;
  int dropArrowWidth = 0;
};

struct ButtonLayoutResult {
  Point GlyphPos;
  Point ArrowPos;
  Rect TextBounds;
};

// Measures the caption with the canvas font (DT_CALCRECT) and places the three parts. Glyph,
// caption and arrow stand in a row (glyph left or right) or the glyph stands above or below the
// caption with the arrow at its right; without a glyph the parts are always laid out in a row.
// Automatic margin and spacing share the free length out; integer halves and thirds truncate.
ButtonLayoutResult ComputeButtonLayout(Canvas& canvas, const ButtonLayoutInput& input);

}  // namespace tilvaro
