#pragma once
// One shared TGlyphList per cell size, created on demand and destroyed when no slot of it is used,
// together with the table of prepared images that renderers share. The cache is the one place
// that hands out and takes back the slots of its lists: a slot stays claimed while any renderer
// uses its image and is given back to its list with the last user.

#include <memory>
#include <optional>
#include <vector>

#include "glyphs/GlyphList.h"
#include "glyphs/SharedGlyphImages.h"

namespace tilvaro {

class TGlyphCache {
 public:
  TGlyphCache() = default;
  TGlyphCache(const TGlyphCache&) = delete;
  TGlyphCache& operator=(const TGlyphCache&) = delete;

  // The list with cell size width x height, searched from the most recently created; a new empty
  // list when there is none (which throws EInvalidOperation("Ungültige Bildgröße") for a size out of
  // range; the cache is then unchanged).
  TGlyphList* AcquireList(int width, int height);
  // Destroys `list` when its UsedCount is 0; a list that still has used slots stays. A null list, or
  // one this cache does not hold, is ignored.
  void ReleaseList(TGlyphList* list);
  bool IsEmpty() const { return GlyphLists.empty(); }
  int ListCount() const { return static_cast<int>(GlyphLists.size()); }

  // The slot of `list` holding an image made from an equal recipe, with one more user; nullopt
  // when there is none.
  std::optional<int> ShareImage(TGlyphList* list, const GlyphImageRecipe& recipe);
  // Stores a newly built image in `list` (through `add`, which returns the filled slot) and
  // records its recipe with one user. A failure leaves the list and the table as they were,
  // apart from a claimed slot that a failed add leaves marked (see TGlyphList).
  template <typename Add>
  int AddImage(TGlyphList* list, GlyphImageRecipe recipe, Add add) {
    const int slot = add();
    try {
      images_.Add(list, slot, std::move(recipe));
    } catch (...) {
      list->ReleaseSlot(slot);
      throw;
    }
    return slot;
  }
  // Drops one user of the slot; the last user gives the slot back to its list.
  void ReleaseImage(TGlyphList* list, int slot);
  // The table of shared prepared images, for drawing and inspection.
  SharedGlyphImages& Images() { return images_; }

 private:
  std::vector<std::unique_ptr<TGlyphList>> GlyphLists;  // in creation order; the cache owns them
  SharedGlyphImages images_;  // refers to slots of GlyphLists; empty whenever they are unused
};

// The single process-wide cache, a slot of the controls' runtime (user-interface thread only).
// Null while none exists.
TGlyphCache* SharedGlyphCache();
// The cache, created first if none exists.
TGlyphCache& EnsureSharedGlyphCache();
// Destroys the cache if it exists and IsEmpty(); otherwise does nothing.
void DestroySharedGlyphCacheIfEmpty();

}  // namespace tilvaro
