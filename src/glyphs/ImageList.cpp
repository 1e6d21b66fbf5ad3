#include "glyphs/ImageList.h"

#include <algorithm>

namespace tilvaro {

TChangeLink::~TChangeLink() {
  if (sender_ != nullptr) sender_->UnRegisterChanges(*this);
}

TImageList::TImageList(int width, int height, int allocBy)
    : width_(width), height_(height), allocBy_(std::max(allocBy, 1)) {
  if (width < 1 || height < 1 || height > 32768) throw EInvalidOperation(kInvalidImageSize);
  Reserve(allocBy_);
}

TImageList::~TImageList() {
  // One link at a time: a handler may destroy its own link or another one still registered, which
  // then leaves links_ through UnRegisterChanges.
  while (!links_.empty()) {
    TChangeLink* link = links_.front();
    links_.erase(links_.begin());
    link->sender_ = nullptr;
    // A copy, since the handler may destroy the link that holds it.
    const std::function<void(const TImageList&)> handler = link->OnSenderDestroyed;
    if (handler) handler(*this);
  }
}

void TImageList::Reserve(int images) {
  if (images <= capacity_) return;
  int wanted = std::max(images, capacity_ + capacity_ / 4);
  wanted = (wanted + allocBy_ - 1) / allocBy_ * allocBy_;
  colors_.reserve(CellPixels() * static_cast<std::size_t>(wanted));
  masks_.reserve(CellMaskBytes() * static_cast<std::size_t>(wanted));
  capacity_ = wanted;
}

void TImageList::StoreCell(int index, const Bitmap& image, int sx, const Bitmap* mask, const Rgb* maskColor) {
  Rgb* colors = colors_.data() + CellPixels() * static_cast<std::size_t>(index);
  std::uint8_t* maskRows = masks_.data() + CellMaskBytes() * static_cast<std::size_t>(index);
  std::fill_n(maskRows, CellMaskBytes(), std::uint8_t{0});
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* maskRow = maskRows + static_cast<std::size_t>(y) * MaskStride();
    for (int x = 0; x < width_; ++x) {
      const int ix = sx + x;
      Rgb color = kBlack;
      bool transparent = true;
      if (ix < image.Width() && y < image.Height()) {
        color = image.IsMono() ? (image.BitAt(ix, y) ? kWhite : kBlack) : image.ColorRow(y)[ix];
        if (maskColor != nullptr) {
          transparent = color == *maskColor;
        } else if (mask != nullptr && ix < mask->Width() && y < mask->Height()) {
          transparent = mask->IsMono() ? mask->BitAt(ix, y) : mask->ColorRow(y)[ix] == kWhite;
        } else {
          transparent = false;
        }
        // Masked adds store transparent pixels black, as the platform's lists do.
        if (transparent && maskColor != nullptr) color = kBlack;
      }
      colors[static_cast<std::size_t>(y) * width_ + x] = color;
      if (transparent) maskRow[x >> 3] = static_cast<std::uint8_t>(maskRow[x >> 3] | (0x80 >> (x & 7)));
    }
  }
}

int TImageList::AddImages(const Bitmap& image, const Bitmap* mask, const Rgb* maskColor, int maxImages) {
  if (image.IsEmpty()) return -1;
  const int cells = std::min(image.Width() / width_, maxImages);
  if (cells <= 0) return -1;
  const int first = count_;
  Reserve(count_ + cells);
  colors_.resize(CellPixels() * static_cast<std::size_t>(count_ + cells));
  masks_.resize(CellMaskBytes() * static_cast<std::size_t>(count_ + cells));
  count_ += cells;
  for (int i = 0; i < cells; ++i) StoreCell(first + i, image, i * width_, mask, maskColor);
  return first;
}

int TImageList::AddBlank() {
  Reserve(count_ + 1);
  colors_.resize(CellPixels() * static_cast<std::size_t>(count_ + 1), kBlack);
  masks_.resize(CellMaskBytes() * static_cast<std::size_t>(count_ + 1), 0xFF);
  return count_++;
}

bool TImageList::ReplaceImage(int index, const Bitmap& image, const Bitmap* mask, const Rgb* maskColor) {
  if (index < 0 || index >= count_ || image.IsEmpty()) return false;
  StoreCell(index, image, 0, mask, maskColor);
  return true;
}

void TImageList::RemoveImage(int index) {
  if (index < 0 || index >= count_) throw EInvalidOperation(kInvalidImageListIndex);
  const auto cell = static_cast<std::ptrdiff_t>(index);
  colors_.erase(colors_.begin() + cell * static_cast<std::ptrdiff_t>(CellPixels()),
                colors_.begin() + (cell + 1) * static_cast<std::ptrdiff_t>(CellPixels()));
  masks_.erase(masks_.begin() + cell * static_cast<std::ptrdiff_t>(CellMaskBytes()),
               masks_.begin() + (cell + 1) * static_cast<std::ptrdiff_t>(CellMaskBytes()));
  --count_;
}

int TImageList::Add(const Bitmap& image, const Bitmap* mask) {
  const int index = AddImages(image, mask, nullptr);
  if (index >= 0) Change();
  return index;
}

int TImageList::AddMasked(const Bitmap& image, TColor maskColor) {
  const Rgb color = ResolveColor(maskColor);
  const int index = AddImages(image, nullptr, &color);
  if (index >= 0) Change();
  return index;
}

bool TImageList::Replace(int index, const Bitmap& image, const Bitmap* mask) {
  if (!ReplaceImage(index, image, mask, nullptr)) return false;
  Change();
  return true;
}

void TImageList::Remove(int index) {
  RemoveImage(index);
  Change();
}

void TImageList::Clear() {
  colors_.clear();
  masks_.clear();
  count_ = 0;
  Change();
}

bool TImageList::Draw(Bitmap& dest, int x, int y, int index, unsigned style) const {
  if (index < 0 || index >= count_) return false;
  const Rect area = Rect::FromSize(x, y, width_, height_).Intersect(dest.Bounds());
  const bool mono = dest.IsMono();
  if ((style & ILD_MASK) != 0) {
    const Rgb zeroBits = ResolveColor(dest.TextColor());
    const Rgb oneBits = ResolveColor(dest.BackgroundColor());
    for (int py = area.top; py < area.bottom; ++py) {
      for (int px = area.left; px < area.right; ++px) {
        const bool bit = TransparentAt(index, px - x, py - y);
        if (mono) {
          dest.PutBit(px, py, bit);
        } else {
          dest.ColorRow(py)[px] = bit ? oneBits : zeroBits;
        }
      }
    }
    return true;
  }
  const bool masked = (style & ILD_TRANSPARENT) != 0 || bkColor_ == kClrNone;
  const Rgb background = masked ? kBlack : ResolveColor(bkColor_);
  for (int py = area.top; py < area.bottom; ++py) {
    for (int px = area.left; px < area.right; ++px) {
      const bool transparent = TransparentAt(index, px - x, py - y);
      if (transparent && masked) continue;
      const Rgb color = transparent ? background : PixelAt(index, px - x, py - y);
      if (mono) {
        dest.PutBit(px, py, color == kWhite);
      } else {
        dest.ColorRow(py)[px] = color;
      }
    }
  }
  return true;
}

Bitmap TImageList::ImageBitmap(int index) const {
  if (index < 0 || index >= count_) return Bitmap();
  Bitmap image(width_, height_, PixelFormat::Color);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) image.ColorRow(y)[x] = PixelAt(index, x, y);
  }
  return image;
}

Bitmap TImageList::MaskBitmap(int index) const {
  if (index < 0 || index >= count_) return Bitmap();
  Bitmap mask(width_, height_, PixelFormat::Mono);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) mask.PutBit(x, y, TransparentAt(index, x, y));
  }
  return mask;
}

void TImageList::RegisterChanges(TChangeLink& link) {
  if (link.sender_ == this) return;
  if (link.sender_ != nullptr) link.sender_->UnRegisterChanges(link);
  links_.push_back(&link);
  link.sender_ = this;
}

void TImageList::UnRegisterChanges(TChangeLink& link) {
  const auto it = std::find(links_.begin(), links_.end(), &link);
  if (it == links_.end()) return;
  links_.erase(it);
  link.sender_ = nullptr;
}

void TImageList::Change() {
  // A handler may register or unregister links; walk a snapshot and skip links gone meanwhile.
  const std::vector<TChangeLink*> snapshot = links_;
  for (TChangeLink* link : snapshot) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) continue;
    if (link->OnChange) link->OnChange(*this);
  }
}

}  // namespace tilvaro
