#include "glyphs/GlyphList.h"

#include <algorithm>

namespace tilvaro {

TGlyphList::TGlyphList(int width, int height) : TImageList(width, height, 4) {}

int TGlyphList::ClaimSlot() {
  const auto free = std::find(slotInUse_.begin(), slotInUse_.end(), false);
  int slot = static_cast<int>(free - slotInUse_.begin());
  if (slot >= SlotCount()) {
    slot = AddBlank();
    slotInUse_.resize(static_cast<std::size_t>(slot) + 1, false);
    slotFilled_.resize(static_cast<std::size_t>(slot) + 1, false);
  }
  slotInUse_[static_cast<std::size_t>(slot)] = true;
  return slot;
}

void TGlyphList::MarkFilled(int slot) {
  slotFilled_[static_cast<std::size_t>(slot)] = true;
  ++usedCount_;
}

int TGlyphList::AddWithMask(const Bitmap& image, const Bitmap& mask) {
  const int slot = ClaimSlot();
  if (!ReplaceImage(slot, image, &mask, nullptr)) throw EInvalidOperation(kCannotReplaceImage);
  Change();
  MarkFilled(slot);
  return slot;
}

int TGlyphList::AddWithMaskColor(const Bitmap& image, TColor maskColor) {
  const int slot = ClaimSlot();
  if (image.Height() < Height() || image.Width() < Width()) throw EInvalidOperation(kInvalidImageSize);
  {
    // The image goes through a temporary entry so that the mask is computed the same way as for any
    // masked add; exactly one cell is added, so the list never keeps more than ClaimSlot's blank image.
    const Rgb transparent = ResolveColor(maskColor);
    const int temporary = AddImages(image, nullptr, &transparent, 1);
    if (temporary < 0) throw EInvalidOperation(kCannotReplaceImage);
    struct RemoveOnExit {
      TGlyphList& list;
      int index;
      ~RemoveOnExit() { list.RemoveImage(index); }
    } const removeLater{*this, temporary};
    Bitmap colour = Bitmap::Color(Width(), Height(), kBlack);
    Bitmap mask = Bitmap::Mono(Width(), Height(), false);
    Draw(colour, 0, 0, temporary, ILD_NORMAL);
    Draw(mask, 0, 0, temporary, ILD_MASK);
    if (!ReplaceImage(slot, colour, &mask, nullptr)) throw EInvalidOperation(kCannotReplaceImage);
  }
  Change();
  MarkFilled(slot);
  return slot;
}

void TGlyphList::ReleaseSlot(int slot) {
  if (!IsSlotInUse(slot)) return;
  const auto index = static_cast<std::size_t>(slot);
  slotInUse_[index] = false;
  if (slotFilled_[index]) {
    slotFilled_[index] = false;
    --usedCount_;
  }
}

}  // namespace tilvaro
