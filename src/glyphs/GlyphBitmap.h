#pragma once
// A bitmap property that tells its owner when its content changes. The content is immutable and
// shared: assigning replaces it as a whole, and readers may keep the old content alive.

#include <functional>
#include <memory>
#include <utility>

#include "platform/raster/Bitmap.h"

namespace tilvaro {

class TGlyphBitmap {
 public:
  TGlyphBitmap() = default;
  TGlyphBitmap(const TGlyphBitmap&) = delete;
  TGlyphBitmap& operator=(const TGlyphBitmap&) = delete;

  const Bitmap& Get() const { return *bitmap_; }
  std::shared_ptr<const Bitmap> Shared() const { return bitmap_; }
  int Width() const { return bitmap_->Width(); }
  int Height() const { return bitmap_->Height(); }
  bool IsEmpty() const { return bitmap_->IsEmpty(); }

  // New content, then OnChange.
  void Assign(Bitmap value) {
    bitmap_ = std::make_shared<const Bitmap>(std::move(value));
    if (OnChange) OnChange(*this);
  }

  std::function<void(TGlyphBitmap&)> OnChange;

 private:
  std::shared_ptr<const Bitmap> bitmap_ = std::make_shared<const Bitmap>();
};

}  // namespace tilvaro
