#pragma once
// One shared TGlyphList per cell size, created on demand and destroyed when no slot of it is used.

#include <memory>
#include <vector>

#include "controls/GlyphList.h"

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

 private:
  std::vector<std::unique_ptr<TGlyphList>> GlyphLists;  // in creation order; the cache owns them
};

// The single process-wide cache (user-interface thread only).
// Null while none exists.
TGlyphCache* SharedGlyphCache();
// The cache, created first if none exists.
TGlyphCache& EnsureSharedGlyphCache();
// Destroys the cache if it exists and IsEmpty(); otherwise does nothing.
void DestroySharedGlyphCacheIfEmpty();

}  // namespace tilvaro
