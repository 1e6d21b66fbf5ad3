#include "glyphs/SharedGlyphImages.h"

#include <functional>

#include "glyphs/GlyphList.h"
#include "glyphs/ImageListImage.h"

namespace tilvaro {
namespace {

void Mix(std::size_t& hash, std::size_t value) {
  hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
}

std::size_t HashRgb(Rgb c) { return (std::size_t{c.r} << 16) | (std::size_t{c.g} << 8) | c.b; }

std::size_t HashBitmap(const Bitmap* bitmap) {
  if (!bitmap) return 0;
  std::size_t hash = static_cast<std::size_t>(bitmap->Width()) * 31 + static_cast<std::size_t>(bitmap->Height());
  for (int y = 0; y < bitmap->Height(); ++y) {
    if (bitmap->IsMono()) {
      const std::uint8_t* row = bitmap->MonoRow(y);
      for (int i = 0; i < bitmap->MonoStride(); ++i) Mix(hash, row[i]);
    } else {
      const Rgb* row = bitmap->ColorRow(y);
      for (int x = 0; x < bitmap->Width(); ++x) Mix(hash, HashRgb(row[x]));
    }
  }
  return hash;
}

bool SameBitmap(const Bitmap* a, const Bitmap* b) {
  if (!a || !b) return a == b;
  return a == b || (a->SamePixels(*b) && a->GetPalette() == b->GetPalette());
}

}  // namespace

void GlyphImageRecipe::TakeCurrentSystemColors() {
  face = ResolveColor(SysColorValue(SysColor::BtnFace));
  highlight = ResolveColor(SysColorValue(SysColor::BtnHighlight));
  shadow = ResolveColor(SysColorValue(SysColor::BtnShadow));
}

std::size_t GlyphImageRecipe::Hash() const {
  std::size_t hash = HashBitmap(glyph.get());
  Mix(hash, HashBitmap(glyphMask.get()));
  Mix(hash, static_cast<std::size_t>(state));
  Mix(hash, static_cast<std::size_t>(numGlyphs));
  Mix(hash, transparentColor);
  Mix(hash, oldDisabledStyle ? 1 : 0);
  Mix(hash, HashRgb(face));
  Mix(hash, HashRgb(highlight));
  Mix(hash, HashRgb(shadow));
  return hash;
}

bool GlyphImageRecipe::operator==(const GlyphImageRecipe& other) const {
  return state == other.state && numGlyphs == other.numGlyphs &&
         transparentColor == other.transparentColor && oldDisabledStyle == other.oldDisabledStyle &&
         face == other.face && highlight == other.highlight && shadow == other.shadow &&
         SameBitmap(glyph.get(), other.glyph.get()) && SameBitmap(glyphMask.get(), other.glyphMask.get());
}

std::size_t SharedGlyphImages::SlotKeyHash::operator()(const SlotKey& key) const {
  return std::hash<const void*>()(key.list) ^ (static_cast<std::size_t>(key.slot) * 0x9e3779b97f4a7c15ull);
}

std::optional<int> SharedGlyphImages::Acquire(TGlyphList* list, const GlyphImageRecipe& recipe) {
  if (!recipe.Shareable()) return std::nullopt;
  auto [first, last] = byRecipe_.equal_range(recipe.Hash());
  for (auto it = first; it != last; ++it) {
    Entry& entry = *it->second;
    if (entry.list == list && entry.recipe == recipe) {
      ++entry.users;
      return entry.slot;
    }
  }
  return std::nullopt;
}

void SharedGlyphImages::Add(TGlyphList* list, int slot, GlyphImageRecipe recipe) {
  auto entry = std::make_unique<Entry>();
  entry->list = list;
  entry->slot = slot;
  entry->users = 1;
  entry->recipe = std::move(recipe);
  if (entry->recipe.Shareable()) byRecipe_.emplace(entry->recipe.Hash(), entry.get());
  entries_[SlotKey{list, slot}] = std::move(entry);
}

bool SharedGlyphImages::Release(TGlyphList* list, int slot) {
  auto it = entries_.find(SlotKey{list, slot});
  if (it == entries_.end()) return true;
  Entry* entry = it->second.get();
  if (--entry->users > 0) return false;
  if (entry->recipe.Shareable()) {
    auto [first, last] = byRecipe_.equal_range(entry->recipe.Hash());
    for (auto r = first; r != last; ++r) {
      if (r->second == entry) {
        byRecipe_.erase(r);
        break;
      }
    }
  }
  entries_.erase(it);
  return true;
}

const QImage& SharedGlyphImages::DrawImage(TGlyphList* list, int slot) {
  auto it = entries_.find(SlotKey{list, slot});
  if (it == entries_.end()) {
    // A slot prepared outside this table: converted for this draw only, since nothing tells the
    // table when the slot is given back and filled anew.
    unlisted_ = ImageListCellToQImage(*list, slot);
    return unlisted_;
  }
  Entry& entry = *it->second;
  if (entry.image.isNull()) entry.image = ImageListCellToQImage(*list, slot);
  return entry.image;
}

int SharedGlyphImages::Users(TGlyphList* list, int slot) const {
  auto it = entries_.find(SlotKey{list, slot});
  return it == entries_.end() ? 0 : it->second->users;
}

std::size_t SharedGlyphImages::BytesInUse() const {
  std::size_t bytes = 0;
  auto bitmapBytes = [](const Bitmap* b) -> std::size_t {
    if (!b) return 0;
    return b->IsMono() ? static_cast<std::size_t>(b->MonoStride()) * b->Height()
                       : static_cast<std::size_t>(b->Width()) * b->Height() * sizeof(Rgb);
  };
  for (const auto& [key, entry] : entries_) {
    bytes += sizeof(Entry) + static_cast<std::size_t>(entry->image.sizeInBytes());
    bytes += bitmapBytes(entry->recipe.glyph.get()) + bitmapBytes(entry->recipe.glyphMask.get());
  }
  return bytes;
}

}  // namespace tilvaro
