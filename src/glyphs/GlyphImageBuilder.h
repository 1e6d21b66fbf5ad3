#pragma once
// Builds the image that a button shows in one state from its glyph source: a column of the glyph
// strip with its transparency, or the glyph's own disabled column recoloured to the system's 3-D
// colours, or a disabled image embossed from the glyph's shape.

#include "glyphs/ButtonTypes.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"

namespace tilvaro {

class TImageList;

struct GlyphSource {
  const Bitmap* glyph = nullptr;      // the strip; null when images is used
  const Bitmap* glyphMask = nullptr;  // its transparency (white = transparent); null for none
  const TImageList* images = nullptr; // replaces glyph and glyphMask when set
  int imageIndex = -1;
  int numGlyphs = 1;
  TColor transparentColor = 0;
  bool oldDisabledStyle = false;
};

// A prepared image ready for a glyph list: with a mono mask (bit 1 transparent) or, when
// useMaskColor is set, with every pixel of maskColor transparent.
struct StateImage {
  Bitmap image;
  Bitmap mask;
  bool useMaskColor = false;
  TColor maskColor = 0;
};

// The image for `state` in a cell of width x height (the disabled image one pixel larger each
// way). `state` must already be mapped to Up when the strip has no column for it. Every
// intermediate bitmap is a local, so nothing is left behind when an error is raised.
StateImage BuildStateImage(const GlyphSource& source, ButtonState state, int width, int height);

}  // namespace tilvaro
