#include "controls/GlyphCache.h"

#include <algorithm>

namespace tilvaro {
namespace {

// A plain pointer rather than a static object: renderers may still release into the cache while
// other static objects are being destroyed at exit.
TGlyphCache* sharedCache = nullptr;

}  // namespace

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

TGlyphCache* SharedGlyphCache() { return sharedCache; }

TGlyphCache& EnsureSharedGlyphCache() {
  if (sharedCache == nullptr) sharedCache = new TGlyphCache();
  return *sharedCache;
}

void DestroySharedGlyphCacheIfEmpty() {
  if (sharedCache != nullptr && sharedCache->IsEmpty()) {
    delete sharedCache;
    sharedCache = nullptr;
  }
}

}  // namespace tilvaro
