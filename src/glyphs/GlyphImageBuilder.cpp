#include "glyphs/GlyphImageBuilder.h"

#include "glyphs/ImageList.h"
#include "platform/raster/Blit.h"

namespace tilvaro {
namespace {

constexpr TColor kWhiteColor = RGBColor(255, 255, 255);
constexpr TColor kSilverColor = RGBColor(192, 192, 192);
constexpr TColor kGreyColor = RGBColor(128, 128, 128);
constexpr TColor kBlackColor = RGBColor(0, 0, 0);

// The colour that is transparent in the glyph, for colour masks. It is matched exactly, as the
// glyph list matches it for the other states' images: it is a pixel of the glyph itself, and its
// palette-relative flag would only pick the nearest palette entry on a palette display, which this
// system never draws on. Matching the nearest entry here would let the disabled image disagree
// with the Up image wherever the glyph's pixels are not entries of its palette.
TColor ExactTransparentColor(const GlyphSource& source) {
  return source.transparentColor & ~kPaletteRelativeFlag;
}

// The transparency of one glyph column as a mono mask (bit 1 transparent). The glyph mask is a
// colour bitmap whose white pixels are transparent: copying it onto a mono bitmap matches its
// background colour, white, to 1.
Bitmap MaskColumn(const Bitmap& glyphMask, const Rect& sourceRect) {
  Bitmap mono = Bitmap::Mono(sourceRect.Width(), sourceRect.Height(), false);
  CopyBits(mono, Point{0, 0}, glyphMask, sourceRect);
  return mono;
}

// Paints `color` into dest wherever the colour mask of src at sourceRect for `match` is 1.
void RecolorMatches(Bitmap& dest, const Bitmap& src, const Rect& sourceRect, TColor match,
                    TColor color) {
  const Bitmap mask = ColorMask(src, sourceRect.left, sourceRect.top, sourceRect.Width(),
                                sourceRect.Height(), {match});
  PaintWhereSet(dest, Point{0, 0}, mask, mask.Bounds(), Brush::Solid(color));
}

// The glyph strip has its own disabled image: taken as it is, with the glyph's white turned into
// the button highlight and its grey into the button shadow, in a cell one pixel larger whose
// extra row and column are transparent.
StateImage OwnDisabledImage(const GlyphSource& source, const Bitmap& glyph, Bitmap work,
                            const Rect& sourceRect) {
  const int width = sourceRect.Width();
  const int height = sourceRect.Height();
  CopyBits(work, Point{0, 0}, glyph, sourceRect);
  RecolorMatches(work, glyph, sourceRect, ToColor(glyph.NearestColor(kWhite)),
                 SysColorValue(SysColor::BtnHighlight));
  RecolorMatches(work, glyph, sourceRect, ToColor(glyph.NearestColor(Rgb{128, 128, 128})),
                 SysColorValue(SysColor::BtnShadow));

  Bitmap mono = source.glyphMask
                    ? MaskColumn(*source.glyphMask, sourceRect)
                    : ColorMask(glyph, sourceRect.left, sourceRect.top, width, height,
                                {ExactTransparentColor(source)});
  mono.Resize(width + 1, height + 1);
  for (int x = 0; x <= width; ++x) mono.SetBit(x, height, true);
  for (int y = 0; y <= height; ++y) mono.SetBit(width, y, true);
  return StateImage{std::move(work), std::move(mono), false, 0};
}

// The shape that the derived disabled image embosses, as a mono bitmap of the cell size. In the
// current style its 0 bits (everything neither transparent, white nor silver) are embossed; in the
// old style its 1 bits (the black pixels only).
Bitmap EmbossShape(const GlyphSource& source, const Bitmap& disabledSource, const Rect& sourceRect,
                   const Bitmap* imagesMask) {
  const int width = sourceRect.Width();
  const int height = sourceRect.Height();
  const int sx = sourceRect.left;
  if (!source.oldDisabledStyle) {
    if (!source.images && !source.glyphMask) {
      return ColorMask(disabledSource, sx, 0, width, height,
                       {ExactTransparentColor(source), kWhiteColor, kSilverColor});
    }
    Bitmap mono = ColorMask(disabledSource, sx, 0, width, height, {kWhiteColor, kSilverColor});
    const Bitmap transparency =
        source.images ? imagesMask->Copy(Rect{0, 0, width, height}) : MaskColumn(*source.glyphMask, sourceRect);
    AndNotBits(mono, Point{0, 0}, transparency, transparency.Bounds());
    OrBits(mono, Point{0, 0}, transparency, transparency.Bounds());
    return mono;
  }
  if (source.images) {
    Bitmap drawn = Bitmap::Color(width, height);
    source.images->Draw(drawn, 0, 0, source.imageIndex, ILD_TRANSPARENT);
    return ColorMask(drawn, 0, 0, width, height, {kBlackColor});
  }
  if (!source.glyphMask) return ColorMask(disabledSource, sx, 0, width, height, {kBlackColor});
  // Transparent pixels turned white first, so that only opaque black pixels count.
  Bitmap colorCopy = disabledSource.Copy(sourceRect);
  const Bitmap transparency = MaskColumn(*source.glyphMask, sourceRect);
  AndNotBits(colorCopy, Point{0, 0}, transparency, transparency.Bounds());
  OrBits(colorCopy, Point{0, 0}, transparency, transparency.Bounds());
  return ColorMask(colorCopy, 0, 0, width, height, {kBlackColor});
}

}  // namespace

StateImage BuildStateImage(const GlyphSource& source, ButtonState state, int width, int height) {
  const bool disabled = state == ButtonState::Disabled;
  const int extra = disabled ? 1 : 0;
  Bitmap work = Bitmap::Color(width + extra, height + extra);
  if (!source.images && source.glyph->HasPalette()) work.SetPalette(source.glyph->GetPalette());

  const int stateIndex = static_cast<int>(state);
  const int column = stateIndex < source.numGlyphs ? stateIndex : 0;
  const Rect sourceRect{column * width, 0, column * width + width, height};

  Bitmap imagesMask;
  if (source.images) {
    imagesMask = Bitmap::Mono(width, height);
    source.images->Draw(imagesMask, 0, 0, source.imageIndex, ILD_MASK);
  }

  if (!disabled) {
    if (source.images) {
      source.images->Draw(work, 0, 0, source.imageIndex, ILD_NORMAL);
      return StateImage{std::move(work), std::move(imagesMask), false, 0};
    }
    CopyBits(work, Point{0, 0}, *source.glyph, sourceRect);
    if (source.glyphMask) {
      Bitmap mask = MaskColumn(*source.glyphMask, sourceRect);
      return StateImage{std::move(work), std::move(mask), false, 0};
    }
    return StateImage{std::move(work), Bitmap(), true, ExactTransparentColor(source)};
  }

  // The disabled image is read from the glyph itself or from the list's image on white.
  Bitmap drawnImage;
  if (source.images) {
    drawnImage = Bitmap::Color(width, height);
    source.images->Draw(drawnImage, 0, 0, source.imageIndex, ILD_NORMAL);
  }
  const Bitmap& disabledSource = source.images ? drawnImage : *source.glyph;

  if (source.numGlyphs > 1 && !source.images) {
    return OwnDisabledImage(source, disabledSource, std::move(work), sourceRect);
  }

  const Bitmap shape = EmbossShape(source, disabledSource, sourceRect, &imagesMask);
  // The shape in button shadow, with a button-highlight copy one pixel down and right showing
  // where the shadow does not cover it; the button face around it becomes transparent.
  FillRect(work, work.Bounds(), SysColorValue(SysColor::BtnFace));
  const Rect shapeRect = shape.Bounds();
  if (source.oldDisabledStyle) {
    PaintWhereSet(work, Point{1, 1}, shape, shapeRect, Brush::Solid(SysColorValue(SysColor::BtnHighlight)));
    PaintWhereSet(work, Point{0, 0}, shape, shapeRect, Brush::Solid(SysColorValue(SysColor::BtnShadow)));
  } else {
    PaintWhereClear(work, Point{1, 1}, shape, shapeRect, Brush::Solid(SysColorValue(SysColor::BtnHighlight)));
    PaintWhereClear(work, Point{0, 0}, shape, shapeRect, Brush::Solid(SysColorValue(SysColor::BtnShadow)));
  }
  return StateImage{std::move(work), Bitmap(), true, SysColorValue(SysColor::BtnFace)};
}

}  // namespace tilvaro
