#pragma once
// A masked image list: images of one cell size, each stored as a colour part and a one-bit mask
// (mask bit 1 = transparent), drawn into raster bitmaps, with change links that are told after every
// change made through the public operations.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"
#include "glyphs/InvalidOperation.h"

namespace tilvaro {

class TImageList;

// Draw styles.
inline constexpr unsigned ILD_NORMAL = 0x0;       // over the list's background colour, or masked when it is kClrNone
inline constexpr unsigned ILD_TRANSPARENT = 0x1;  // masked: only pixels whose mask bit is 0 are drawn
inline constexpr unsigned ILD_MASK = 0x10;        // the mask itself

// The error texts of image lists.
inline constexpr const char* kInvalidImageSize = "Ungültige Bildgröße";
inline constexpr const char* kCannotReplaceImage = "Kann Bild nicht ersetzten";
inline constexpr const char* kInvalidImageListIndex = "Ungültiger ImageList-Index";

// A registration for a list's change notification. Register it with TImageList::RegisterChanges;
// it unregisters itself when destroyed, and the list detaches it when the list is destroyed first
// (Sender() is then null) and then runs OnSenderDestroyed. Not copyable.
class TChangeLink {
 public:
  TChangeLink() = default;
  explicit TChangeLink(std::function<void(TImageList&)> onChange) : OnChange(std::move(onChange)) {}
  ~TChangeLink();
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;

  TImageList* Sender() const { return sender_; }
  std::function<void(TImageList&)> OnChange;
  // Runs from the list's destructor, after the link was detached: the list is half destroyed, so
  // the handler may compare its address but must not use it. The handler may destroy the link.
  std::function<void(const TImageList&)> OnSenderDestroyed;

 private:
  friend class TImageList;
  TImageList* sender_ = nullptr;
};

class TImageList {
 public:
  // An empty list of width x height cells; storage grows by `allocBy` images at a time. A width below
  // 1, or a height below 1 or above 32768, throws EInvalidOperation(kInvalidImageSize).
  TImageList(int width, int height, int allocBy = 4);
  virtual ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return count_; }

  // Background colour used by ILD_NORMAL; kClrNone (the default) draws masked.
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor color) { bkColor_ = color; }

  // Appends one image per whole cell of `image` (a strip of cells side by side; an image with a
  // height below the cell height still adds, its missing rows black and transparent) with the
  // matching part of `mask` (mono: bit 1 transparent; a colour mask: white = transparent; null: all
  // opaque). Returns the index of the first new image, or -1 when `image` holds no whole cell.
  int Add(const Bitmap& image, const Bitmap* mask);
  // Appends like Add, the mask computed from the colour: pixels equal to ResolveColor(maskColor)
  // become transparent, and are stored black in the colour part.
  int AddMasked(const Bitmap& image, TColor maskColor);
  // Replaces image `index` by the top-left cell of `image` and `mask` (same rules as Add; parts not
  // covered by `image` become black and transparent). Returns false, changing nothing, when `index`
  // is out of range or `image` is empty.
  bool Replace(int index, const Bitmap& image, const Bitmap* mask);
  // Removes image `index`; later images move down by one. An index outside 0..Count()-1 throws
  // EInvalidOperation(kInvalidImageListIndex).
  void Remove(int index);
  // Removes every image.
  void Clear();

  // Draws image `index` with its top-left corner at (x, y) of `dest`, clipped to dest:
  // - ILD_MASK: the mask as a mono source (mono dest: bits copied; colour dest: 0 bits in dest's text
  //   colour, 1 bits in its background colour);
  // - ILD_TRANSPARENT, or ILD_NORMAL with BkColor() kClrNone: pixels whose mask bit is 0 take the
  //   image's colour (mono dest: 1 for white pixels, 0 otherwise), the others are left alone;
  // - ILD_NORMAL with a background colour: the whole cell, transparent pixels in that colour.
  // Returns false when `index` is out of range (nothing is drawn).
  bool Draw(Bitmap& dest, int x, int y, int index, unsigned style) const;

  // Copies of image `index`'s colour part and mask (mono, bit 1 transparent); an empty bitmap for an
  // index out of range.
  Bitmap ImageBitmap(int index) const;
  Bitmap MaskBitmap(int index) const;
  // Unchecked pixel access for drawing code: 0 <= index < Count(), 0 <= x < Width(), 0 <= y < Height().
  Rgb PixelAt(int index, int x, int y) const {
    return colors_[CellPixels() * static_cast<std::size_t>(index) + static_cast<std::size_t>(y) * width_ + x];
  }
  bool TransparentAt(int index, int x, int y) const {
    return (masks_[CellMaskBytes() * static_cast<std::size_t>(index) + static_cast<std::size_t>(y) * MaskStride() +
                   (x >> 3)] >> (7 - (x & 7))) & 1;
  }

  // Bytes that one image occupies: Width() * Height() * 3 for the colour part plus
  // Height() * ((Width() + 7) / 8) for the mask.
  std::size_t BytesPerImage() const { return CellPixels() * sizeof(Rgb) + CellMaskBytes(); }
  // Images the storage holds without growing: a multiple of allocBy, growing by allocBy images and,
  // once the list is larger, by a quarter of its capacity so that long lists are not copied for every
  // few images added.
  int Capacity() const { return capacity_; }

  void RegisterChanges(TChangeLink& link);
  void UnRegisterChanges(TChangeLink& link);
  // Tells every registered link (in registration order) that the list changed.
  void Change();

 protected:
  // The operations without the change notification, for derived lists that notify once after a
  // compound operation.
  // Appends at most `maxImages` cells of `image` (see Add; with `maskColor` as AddMasked).
  int AddImages(const Bitmap& image, const Bitmap* mask, const Rgb* maskColor, int maxImages = INT_MAX);
  // Appends one blank image (black, transparent) and returns its index.
  int AddBlank();
  bool ReplaceImage(int index, const Bitmap& image, const Bitmap* mask, const Rgb* maskColor);
  void RemoveImage(int index);

 private:
  std::size_t CellPixels() const { return static_cast<std::size_t>(width_) * height_; }
  int MaskStride() const { return (width_ + 7) / 8; }
  std::size_t CellMaskBytes() const { return static_cast<std::size_t>(MaskStride()) * height_; }
  void Reserve(int images);
  void StoreCell(int index, const Bitmap& image, int sx, const Bitmap* mask, const Rgb* maskColor);

  int width_;
  int height_;
  int allocBy_;
  int count_ = 0;
  int capacity_ = 0;
  TColor bkColor_ = kClrNone;
  std::vector<Rgb> colors_;          // Count() cells of Width() x Height() pixels, row by row
  std::vector<std::uint8_t> masks_;  // Count() cells of Height() rows of MaskStride() bytes, MSB leftmost
  std::vector<TChangeLink*> links_;
};

}  // namespace tilvaro
