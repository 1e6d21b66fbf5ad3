#pragma once
// Conversions between the raster module's bitmaps and QImage: raster bitmaps are what the
// controls compute with, QImages are what Qt loads and draws.

#include <QImage>

#include "platform/raster/Bitmap.h"

namespace tilvaro {

// An opaque RGB image of the bitmap; mono bits 0 become black and 1 white.
QImage ToQImage(const Bitmap& bitmap);

// A colour image whose pixels are transparent where the mono mask has bit 1 (the image-list
// convention); mask pixels outside the mask bitmap count as opaque.
QImage ToMaskedQImage(const Bitmap& color, const Bitmap& mask);

// A colour bitmap with the image's RGB values; an image with a colour table (up to 256 colours)
// gives the bitmap that table as its palette. Alpha is ignored: see MaskFromAlpha.
Bitmap FromQImage(const QImage& image);

// A mono mask of the image's transparency: bit 1 (white) where the pixel's alpha is below half,
// 0 elsewhere. Empty when the image has no such pixel, so opaque images need no mask.
Bitmap MaskFromAlpha(const QImage& image);

}  // namespace tilvaro
