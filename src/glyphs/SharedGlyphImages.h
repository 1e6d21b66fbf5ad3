#pragma once
// Prepared state images shared between renderers.
//
// Every renderer prepares its images into the shared glyph lists. Renderers whose glyphs are
// equal would each hold their own copy of the same image; this table lets them hold one slot
// together instead, counted by users, so a toolbar of a hundred buttons with the same glyph keeps
// one image per state, not a hundred. It also keeps each prepared image ready for drawing as a
// QImage, made once per image rather than once per paint.
//
// Only images prepared from a glyph bitmap are shared: they are compared by everything that goes
// into them (the glyph's and mask's pixels and palette, the column, the transparent colour, the
// disabled style and the system colours at preparation time). Images from an external image list
// get a table entry of their own, never shared, since the list may change under them.

#include <QImage>
#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "glyphs/ButtonTypes.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"

namespace tilvaro {

class TGlyphList;

// What a prepared image is made of, for finding an equal one.
struct GlyphImageRecipe {
  std::shared_ptr<const Bitmap> glyph;      // null for an image-list source (never shared)
  std::shared_ptr<const Bitmap> glyphMask;  // null without a mask
  ButtonState state = ButtonState::Up;      // already mapped to Up where the strip has no column
  int numGlyphs = 1;
  TColor transparentColor = 0;
  bool oldDisabledStyle = false;
  Rgb face, highlight, shadow;              // the system colours the image was made with

  // The system colours as they are now, for a recipe being prepared.
  void TakeCurrentSystemColors();
  bool Shareable() const { return glyph != nullptr; }
  std::size_t Hash() const;
  bool operator==(const GlyphImageRecipe& other) const;
};

// One table per glyph cache (TGlyphCache owns it), since its entries name slots of the cache's lists.
class SharedGlyphImages {
 public:
  // The slot of `list` that holds an image made from an equal recipe, with one more user; nullopt
  // when there is none.
  std::optional<int> Acquire(TGlyphList* list, const GlyphImageRecipe& recipe);
  // Records a newly prepared slot with its first user.
  void Add(TGlyphList* list, int slot, GlyphImageRecipe recipe);
  // Drops one user; true when it was the last, so the caller releases the slot in the list.
  // A slot the table does not know counts as having had one user.
  bool Release(TGlyphList* list, int slot);
  // The slot's image with its mask as alpha, converted on first use.
  const QImage& DrawImage(TGlyphList* list, int slot);

  int Users(TGlyphList* list, int slot) const;
  // Memory held by the table itself: recipe bitmaps and converted images.
  std::size_t BytesInUse() const;

 private:
  struct Entry {
    TGlyphList* list = nullptr;
    int slot = -1;
    int users = 0;
    GlyphImageRecipe recipe;
    QImage image;
  };
  struct SlotKey {
    TGlyphList* list;
    int slot;
    bool operator==(const SlotKey&) const = default;
  };
  struct SlotKeyHash {
    std::size_t operator()(const SlotKey& key) const;
  };

  std::unordered_map<SlotKey, std::unique_ptr<Entry>, SlotKeyHash> entries_;
  std::unordered_multimap<std::size_t, Entry*> byRecipe_;  // shareable entries by recipe hash
  QImage unlisted_;
};

}  // namespace tilvaro
