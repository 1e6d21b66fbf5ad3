#pragma once
// An image list whose slots are handed out and taken back one by one, so that an image keeps its
// slot number while it is in use. Released slots keep their images until claimed again; the list
// never shrinks.

#include <cstdint>
#include <vector>

#include "glyphs/ImageList.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"

namespace tilvaro {

class TGlyphList : public TImageList {
 public:
  // An empty list of width x height cells (4 images allocated, growth step 4). A width below 1, or a
  // height below 1 or above 32768, throws EInvalidOperation("Ungültige Bildgröße").
  TGlyphList(int width, int height);

  // Marks the lowest free slot in use and returns it; when every slot is in use, appends a blank
  // image (black, transparent) and returns its index. Does not count towards UsedCount.
  int ClaimSlot();
  // Claims a slot and stores `image` with the mono `mask` (bit 1 transparent) in it, then notifies the
  // change links and increments UsedCount. Throws EInvalidOperation("Kann Bild nicht ersetzten") when
  // the image cannot be stored (e.g. it is empty); the claimed slot then stays in use and UsedCount
  // is unchanged.
  int AddWithMask(const Bitmap& image, const Bitmap& mask);
  // Claims a slot and stores `image` with the pixels of `maskColor` (system colours resolved now)
  // transparent, then notifies and increments UsedCount. An image narrower or lower than the cell
  // throws EInvalidOperation("Ungültige Bildgröße"); a failure to store it throws "Kann Bild nicht
  // ersetzten". On an error the claimed slot stays in use and UsedCount is unchanged. The image count
  // grows by at most the one blank image of ClaimSlot.
  int AddWithMaskColor(const Bitmap& image, TColor maskColor);
  // Gives a slot back; a slot that is not in use (or out of range) is ignored. Its image stays.
  // UsedCount drops only for a slot that an add filled, so a slot claimed by a failed add (or by a
  // bare ClaimSlot) never makes UsedCount disagree with the images that are really in use.
  void ReleaseSlot(int slot);

  int UsedCount() const { return usedCount_; }
  bool IsSlotInUse(int slot) const {
    return slot >= 0 && static_cast<std::size_t>(slot) < slotInUse_.size() && slotInUse_[static_cast<std::size_t>(slot)];
  }
  // Number of slots ever created (the size of the in-use bit set).
  int SlotCount() const { return static_cast<int>(slotInUse_.size()); }

 private:
  void MarkFilled(int slot);

  std::vector<bool> slotInUse_;
  std::vector<bool> slotFilled_;  // in use and holding an image that an add stored (counted in UsedCount)
  std::int32_t usedCount_ = 0;
};

}  // namespace tilvaro
