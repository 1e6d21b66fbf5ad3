#pragma once
// TButtonGlyph: draws the content of a toolbar button's face (the glyph image of the button's
// state, the caption and the small drop-down arrow) inside the client rectangle the button hands
// over. Each state's image is prepared once, the missing ones derived from the glyph (above all the
// embossed disabled image), kept in the shared glyph lists and from then on only drawn.

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "glyphs/ButtonLayout.h"
#include "glyphs/ButtonTypes.h"
#include "glyphs/GlyphBitmap.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"
#include "platform/raster/Geometry.h"

namespace tilvaro {

class Canvas;
class TChangeLink;
class TGlyphList;
class TImageList;

// Where a prepared image is: the side of the glyph lists (false: disabled images, true: all
// others) and the slot in that list; slot -1 means there is nothing to draw.
struct PreparedImage {
  bool side = false;
  std::int32_t slot = -1;
};

class TButtonGlyph {
 public:
  // Makes sure the shared glyph cache exists.
  TButtonGlyph();
  // Gives back every prepared image and list, and destroys the shared cache once it is empty.
  ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  // --- Sources --------------------------------------------------------------------------------
  // NumGlyphs images of equal width side by side; image i belongs to the state of value i.
  const Bitmap& Glyph() const { return glyph_.Get(); }
  // Discards the prepared images, takes the bitmap (refreshing TransparentColor) and derives
  // NumGlyphs from its proportions.
  void SetGlyph(const Bitmap& value);
  // The same from a QImage. Unless a GlyphMask was set explicitly (which a Glyph change never
  // touches), the image's transparent pixels (alpha below half) become GlyphMask; an opaque image
  // then clears the mask that an earlier image brought.
  void SetGlyph(const QImage& image);
  // The glyph bitmap itself: assigning to it directly (as loading stored image data does) only
  // runs GlyphSourceChanged, without deriving NumGlyphs.
  TGlyphBitmap& GlyphBitmap() { return glyph_; }

  // Optional transparency for Glyph in the same layout: white is transparent, any other colour
  // opaque. Used when it is not empty and Images is null.
  const Bitmap& GlyphMask() const { return glyphMask_.Get(); }
  void SetGlyphMask(const Bitmap& value);

  // An external image list that replaces Glyph and GlyphMask; not owned.
  TImageList* Images() const { return images_; }
  int ImageIndex() const { return imageIndex_; }
  // Field writes without discarding or notifying: the owner then calls GlyphSourceChanged or
  // DiscardImages. SetImages also keeps the change link on the list it stores (moved from the old
  // list, dropped for none), so that the list's changes reach GlyphSourceChanged and its
  // destruction clears Images.
  void SetImages(TImageList* images);
  void SetImageIndex(int index) { imageIndex_ = index; }
  void SetOldDisabledStyle(bool value) { oldDisabledStyle_ = value; }
  // What an owner's Images property does: SetImages, then DeriveNumGlyphs (which discards the
  // prepared images and raises OnGlyphChange). Destroying the list in use does the same with none.
  void LinkImages(TImageList* images);
  const TChangeLink* ImagesLink() const { return imagesLink_.get(); }

  TColor TransparentColor() const { return transparentColor_; }
  TNumGlyphs97 NumGlyphs() const { return numGlyphs_; }
  // Discards the prepared images and stores the count: 1 when Images is set or the value is not
  // within 1..5.
  void SetNumGlyphs(int value);
  bool OldDisabledStyle() const { return oldDisabledStyle_; }

  // Told after every change of the source; the owner repaints.
  std::function<void(TButtonGlyph&)> OnGlyphChange;

  // --- Prepared images ------------------------------------------------------------------------
  TGlyphList* GlyphList(bool side) const { return glyphLists_[side ? 1 : 0]; }
  std::int32_t StateImageIndex(bool side, ButtonState state) const {
    return stateImageIndexes_[side ? 1 : 0][static_cast<int>(state)];
  }

  // After a change of Glyph, GlyphMask, Images or ImageIndex. sender is the changed object:
  // &GlyphBitmap() refreshes TransparentColor from the glyph's bottom-left pixel (as a
  // palette-relative colour). Then the images are discarded and OnGlyphChange runs.
  void GlyphSourceChanged(const void* sender);
  // NumGlyphs from the glyph's proportions: width / height when that divides evenly and is
  // below 6, else 1.
  void DeriveNumGlyphs();
  // Gives every prepared image back and releases both glyph lists.
  void DiscardImages();
  // The prepared image for a state, built on first use. Errors of the glyph lists propagate; the
  // state then stays unprepared, so the next paint tries again.
  PreparedImage PrepareStateImage(ButtonState state);

  // --- Drawing --------------------------------------------------------------------------------
  ButtonLayoutResult ComputeLayout(Canvas& canvas, const Rect& client, Point offset, bool drawGlyph,
                                   bool drawCaption, const QString& caption, bool wordWrap,
                                   TButtonLayout layout, int margin, int spacing, bool dropArrow,
                                   int dropArrowWidth) const;
  // Lays the face out and draws glyph, caption and arrow; returns the caption's rectangle. The
  // canvas font is the caption's font; brush, pen and font colour are left changed.
  Rect RenderButton(Canvas& canvas, const Rect& client, Point offset, bool drawGlyph,
                    bool drawCaption, const QString& caption, bool wordWrap, TAlignment alignment,
                    TButtonLayout layout, int margin, int spacing, bool dropArrow,
                    int dropArrowWidth, ButtonState state);
  void DrawStateImage(Canvas& canvas, Point position, ButtonState state);
  // Disabled captions are drawn twice: in button highlight one pixel down and right, then in
  // button shadow in place.
  void DrawCaptionText(Canvas& canvas, const QString& caption, const Rect& bounds, bool wordWrap,
                       TAlignment alignment, ButtonState state);
  // A downward triangle five pixels wide and three high, centred in width.
  void RenderDropArrow(Canvas& canvas, int x, int y, int width, ButtonState state);

 private:
  Size CellSize(TImageList* images) const;

  TGlyphBitmap glyph_;
  TGlyphBitmap glyphMask_;
  std::array<TGlyphList*, 2> glyphLists_{nullptr, nullptr};
  std::int32_t imageIndex_ = -1;
  TImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> imagesLink_;
  std::int32_t stateImageIndexes_[2][kButtonStateCount] = {{-1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1}};
  TColor transparentColor_ = 0;
  TNumGlyphs97 numGlyphs_ = 1;
  bool oldDisabledStyle_ = false;
  bool maskFromAlpha_ = false;  // GlyphMask was made from a QImage's alpha, not set explicitly
};

}  // namespace tilvaro
