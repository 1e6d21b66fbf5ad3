#pragma once
// The one general bit-block transfer and its named wrappers and conversions.

#include <initializer_list>

#include "platform/raster/Bitmap.h"
#include "platform/raster/Brush.h"
#include "platform/raster/Geometry.h"
#include "platform/raster/RasterOp.h"

namespace tilvaro {

// Combines, for every pixel of the w x h rectangle at (x, y) of `dest`, the pattern (brush tiled from
// dest's origin), the source pixel at (sx, sy) + offset of `src` and the destination pixel with the
// truth table of `rop` (RasterOp.h), bitwise: per 8-bit channel on a colour destination, on the bit on
// a mono destination.
//
// Operands are first brought to the destination's format, as the platform does:
// - mono source onto colour destination: 0 bits become dest.TextColor(), 1 bits dest.BackgroundColor();
// - colour source onto mono destination: 1 where the source pixel equals src.MatchColor(
//   src.BackgroundColor()), else 0;
// - the brush as described in Brush.h.
// System colours are resolved when the blit runs.
//
// The rectangle is clipped to `dest`, and, when the operation uses the source, to `src` as well
// (pixels whose source lies outside `src` are left alone). w or h <= 0 does nothing. `src` may be null
// when the operation does not use the source; an operation that uses it with a null `src` throws
// std::invalid_argument. `src` may be `dest` itself (overlapping rectangles
// read the pixels as they were before the blit).
void Blit(Bitmap& dest, int x, int y, int w, int h, const Bitmap* src, int sx, int sy, RasterOp rop,
          const Brush& brush = Brush());
inline void Blit(Bitmap& dest, int x, int y, int w, int h, const Bitmap& src, int sx, int sy,
                 RasterOp rop, const Brush& brush = Brush()) {
  Blit(dest, x, y, w, h, &src, sx, sy, rop, brush);
}

// Operations without a source (pattern and destination only).
inline void PatBlit(Bitmap& dest, const Rect& area, RasterOp rop, const Brush& brush) {
  Blit(dest, area.left, area.top, area.Width(), area.Height(), nullptr, 0, 0, rop, brush);
}
// PATCOPY with a solid brush.
inline void FillRect(Bitmap& dest, const Rect& area, TColor color) {
  PatBlit(dest, area, PATCOPY, Brush::Solid(color));
}

// Source-rectangle wrappers: `from` is the source rectangle, `to` its top-left corner in dest.
inline void CopyBits(Bitmap& dest, Point to, const Bitmap& src, const Rect& from) {  // SRCCOPY
  Blit(dest, to.x, to.y, from.Width(), from.Height(), src, from.left, from.top, SRCCOPY);
}
inline void OrBits(Bitmap& dest, Point to, const Bitmap& src, const Rect& from) {  // SRCPAINT
  Blit(dest, to.x, to.y, from.Width(), from.Height(), src, from.left, from.top, SRCPAINT);
}
inline void AndNotBits(Bitmap& dest, Point to, const Bitmap& src, const Rect& from) {  // DSna
  Blit(dest, to.x, to.y, from.Width(), from.Height(), src, from.left, from.top, DSna);
}
// DSPDxax: the brush lands where the (mono) mask is 1, with dest's text colour black and background
// white; the destination keeps its pixels where the mask is 0. Sets those two colours on dest.
void PaintWhereSet(Bitmap& dest, Point to, const Bitmap& mask, const Rect& from, const Brush& brush);
// PSDPxax: the brush lands where the (mono) mask is 0; likewise sets dest's text black, background
// white.
void PaintWhereClear(Bitmap& dest, Point to, const Bitmap& mask, const Rect& from, const Brush& brush);

// Conversions to new bitmaps of the same size.
// 1 where the pixel equals src.MatchColor(match), 0 elsewhere (a mono source is copied).
Bitmap ColorToMono(const Bitmap& src, TColor match);
// 0 bits become `text`, 1 bits `background` (a colour source is copied).
Bitmap MonoToColor(const Bitmap& src, TColor text, TColor background);

// Bit 1 exactly where the w x h area at (x, y) of `src` equals one of `colors` (each colour matched as
// src.MatchColor does; the same result as SRCCOPY with src's background colour set to the first colour
// and SRCPAINT with each further one). An empty list gives all 0. Parts outside `src` are 0.
Bitmap ColorMask(const Bitmap& src, int x, int y, int w, int h, std::initializer_list<TColor> colors);

}  // namespace tilvaro
