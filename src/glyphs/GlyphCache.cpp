#include "glyphs/GlyphCache.h"

#include <algorithm>

#include "runtime/ControlsRuntime.h"

namespace tilvaro {

TGlyphList* TGlyphCache::AcquireList(int width, int height) {
  for (auto it = GlyphLists.rbegin(); it != GlyphLists.rend(); ++it) {
    if ((*it)->Width() == width && (*it)->Height() == height) return it->get();
  }
  GlyphLists.push_back(std::make_unique<TGlyphList>(width, height));
  return GlyphLists.back().get();
}

void TGlyphCache::ReleaseList(TGlyphList* list) {
  if (list == nullptr || list->UsedCount() != 0) return;
  const auto it = std::find_if(GlyphLists.begin(), GlyphLists.end(),
                               [list](const std::unique_ptr<TGlyphList>& owned) { return owned.get() == list; });
  if (it != GlyphLists.end()) GlyphLists.erase(it);
}

std::optional<int> TGlyphCache::ShareImage(TGlyphList* list, const GlyphImageRecipe& recipe) {
  return images_.Acquire(list, recipe);
}

void TGlyphCache::ReleaseImage(TGlyphList* list, int slot) {
  // Only lists of this cache: a renderer that outlived an earlier cache holds stale lists.
  const bool own = std::any_of(GlyphLists.begin(), GlyphLists.end(),
                               [list](const std::unique_ptr<TGlyphList>& owned) { return owned.get() == list; });
  if (own && images_.Release(list, slot)) list->ReleaseSlot(slot);
}

// Renderers may be destroyed after the runtime (while the application goes): they then find no
// cache and have nothing left to give back.
TGlyphCache* SharedGlyphCache() { return ControlsRuntime::FindExisting<TGlyphCache>(); }

TGlyphCache& EnsureSharedGlyphCache() { return ControlsRuntime::Instance().Slot<TGlyphCache>(); }

void DestroySharedGlyphCacheIfEmpty() {
  TGlyphCache* cache = SharedGlyphCache();
  if (cache != nullptr && cache->IsEmpty()) ControlsRuntime::Existing()->Drop<TGlyphCache>();
}

}  // namespace tilvaro
