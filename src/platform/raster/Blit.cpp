#include "platform/raster/Blit.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace tilvaro {
namespace {

// Colour operands are packed as 0x00RRGGBB so that the truth table works on all three channels at once.
constexpr std::uint32_t Pack(Rgb c) {
  return (static_cast<std::uint32_t>(c.r) << 16) | (static_cast<std::uint32_t>(c.g) << 8) | c.b;
}
constexpr Rgb Unpack(std::uint32_t v) {
  return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

int WrapIndex(int value, int size) {
  const int m = value % size;
  return m < 0 ? m + size : m;
}

// The pattern operand for every destination pixel, already in the destination's format.
class PatternSource {
 public:
  PatternSource(const Brush& brush, const Bitmap& dest)
      : pattern_(brush.PatternBitmap()), destMono_(dest.IsMono()) {
    if (pattern_ == nullptr) {
      const Rgb color = ResolveColor(brush.Color());
      solid_ = destMono_ ? (MonoBitForColor(color) ? 1u : 0u) : Pack(color);
    } else if (pattern_->IsMono() && !destMono_) {
      zeroBits_ = Pack(ResolveColor(dest.TextColor()));
      oneBits_ = Pack(ResolveColor(dest.BackgroundColor()));
    }
  }

  std::uint32_t At(int x, int y) const {
    if (pattern_ == nullptr) return solid_;
    const int px = WrapIndex(x, pattern_->Width());
    const int py = WrapIndex(y, pattern_->Height());
    if (pattern_->IsMono()) {
      const bool bit = pattern_->BitAt(px, py);
      if (destMono_) return bit ? 1u : 0u;
      return bit ? oneBits_ : zeroBits_;
    }
    const Rgb color = pattern_->ColorRow(py)[px];
    if (destMono_) return MonoBitForColor(color) ? 1u : 0u;
    return Pack(color);
  }

 private:
  const Bitmap* pattern_;
  bool destMono_;
  std::uint32_t solid_ = 0;
  std::uint32_t zeroBits_ = 0;
  std::uint32_t oneBits_ = 0;
};

// The source operand, converted to the destination's format.
class SourceReader {
 public:
  SourceReader(const Bitmap& src, const Bitmap& dest) : src_(src), destMono_(dest.IsMono()) {
    if (src.IsMono() && !destMono_) {
      zeroBits_ = Pack(ResolveColor(dest.TextColor()));
      oneBits_ = Pack(ResolveColor(dest.BackgroundColor()));
    } else if (!src.IsMono() && destMono_) {
      match_ = src.MatchColor(src.BackgroundColor());
    }
  }

  std::uint32_t At(int x, int y) const {
    if (src_.IsMono()) {
      const bool bit = src_.BitAt(x, y);
      if (destMono_) return bit ? 1u : 0u;
      return bit ? oneBits_ : zeroBits_;
    }
    const Rgb color = src_.ColorRow(y)[x];
    if (destMono_) return color == match_ ? 1u : 0u;
    return Pack(color);
  }

 private:
  const Bitmap& src_;
  bool destMono_;
  std::uint32_t zeroBits_ = 0;
  std::uint32_t oneBits_ = 0;
  Rgb match_;
};

}  // namespace

void Blit(Bitmap& dest, int x, int y, int w, int h, const Bitmap* src, int sx, int sy, RasterOp rop,
          const Brush& brush) {
  if (w <= 0 || h <= 0) return;
  const bool usesSource = RopUsesSource(rop);
  if (usesSource && src == nullptr) {
    throw std::invalid_argument("raster operation needs a source bitmap");
  }
  // Clipping in 64 bits, so that extreme coordinates cannot overflow.
  std::int64_t left = std::max<std::int64_t>(x, 0);
  std::int64_t top = std::max<std::int64_t>(y, 0);
  std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + w, dest.Width());
  std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + h, dest.Height());
  const std::int64_t dx = std::int64_t{sx} - x;
  const std::int64_t dy = std::int64_t{sy} - y;
  if (usesSource) {
    left = std::max(left, -dx);
    top = std::max(top, -dy);
    right = std::min(right, src->Width() - dx);
    bottom = std::min(bottom, src->Height() - dy);
  }
  if (right <= left || bottom <= top) return;
  const Rect area{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};

  // Reading and writing the same bitmap: read from a snapshot so the order of the pixel walk cannot
  // change the result.
  Bitmap snapshot;
  if (usesSource && src == &dest) {
    snapshot = dest;
    src = &snapshot;
  }

  const std::uint8_t table = RopTable(rop);
  const PatternSource pattern(brush, dest);
  std::optional<SourceReader> source;
  if (usesSource) source.emplace(*src, dest);
  const bool mono = dest.IsMono();
  const int sdx = static_cast<int>(dx);
  const int sdy = static_cast<int>(dy);
  for (int py = area.top; py < area.bottom; ++py) {
    for (int px = area.left; px < area.right; ++px) {
      const std::uint32_t p = pattern.At(px, py);
      const std::uint32_t s = source ? source->At(px + sdx, py + sdy) : 0u;
      if (mono) {
        const std::uint32_t d = dest.BitAt(px, py) ? 1u : 0u;
        dest.PutBit(px, py, (ApplyRop(table, p, s, d) & 1u) != 0);
      } else {
        Rgb& pixel = dest.ColorRow(py)[px];
        pixel = Unpack(ApplyRop(table, p, s, Pack(pixel)) & 0xFFFFFFu);
      }
    }
  }
}

void PaintWhereSet(Bitmap& dest, Point to, const Bitmap& mask, const Rect& from, const Brush& brush) {
  dest.SetTextColor(RGBColor(0, 0, 0));
  dest.SetBackgroundColor(RGBColor(255, 255, 255));
  Blit(dest, to.x, to.y, from.Width(), from.Height(), mask, from.left, from.top, DSPDxax, brush);
}

void PaintWhereClear(Bitmap& dest, Point to, const Bitmap& mask, const Rect& from, const Brush& brush) {
  dest.SetTextColor(RGBColor(0, 0, 0));
  dest.SetBackgroundColor(RGBColor(255, 255, 255));
  Blit(dest, to.x, to.y, from.Width(), from.Height(), mask, from.left, from.top, PSDPxax, brush);
}

Bitmap ColorToMono(const Bitmap& src, TColor match) {
  Bitmap mono(src.Width(), src.Height(), PixelFormat::Mono);
  if (src.IsMono()) {
    CopyBits(mono, Point{0, 0}, src, src.Bounds());
    return mono;
  }
  const Rgb target = src.MatchColor(match);
  for (int y = 0; y < src.Height(); ++y) {
    const Rgb* row = src.ColorRow(y);
    for (int x = 0; x < src.Width(); ++x) mono.PutBit(x, y, row[x] == target);
  }
  return mono;
}

Bitmap MonoToColor(const Bitmap& src, TColor text, TColor background) {
  if (!src.IsMono()) {
    Bitmap copy = src;
    return copy;
  }
  Bitmap color(src.Width(), src.Height(), PixelFormat::Color);
  const Rgb zeroBits = ResolveColor(text);
  const Rgb oneBits = ResolveColor(background);
  for (int y = 0; y < src.Height(); ++y) {
    Rgb* row = color.ColorRow(y);
    for (int x = 0; x < src.Width(); ++x) row[x] = src.BitAt(x, y) ? oneBits : zeroBits;
  }
  return color;
}

Bitmap ColorMask(const Bitmap& src, int x, int y, int w, int h, std::initializer_list<TColor> colors) {
  Bitmap mask = Bitmap::Mono(w, h, false);
  if (colors.size() == 0) return mask;
  const Rect inside = Rect::FromSize(x, y, w, h).Intersect(src.Bounds());
  if (src.IsMono()) {
    // A mono source is copied bit for bit whatever the match colour, as the platform does.
    Blit(mask, inside.left - x, inside.top - y, inside.Width(), inside.Height(), src, inside.left, inside.top,
         SRCCOPY);
    return mask;
  }
  for (const TColor color : colors) {
    const Rgb target = src.MatchColor(color);
    for (int py = inside.top; py < inside.bottom; ++py) {
      const Rgb* row = src.ColorRow(py);
      for (int px = inside.left; px < inside.right; ++px) {
        if (row[px] == target) mask.PutBit(px - x, py - y, true);
      }
    }
  }
  return mask;
}

}  // namespace tilvaro
