#include "editor/PreviewPlacement.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace tilvaro {
namespace {

// Room left between the two frames.
constexpr int kGap = 8;

// `wanted` moved the least distance that brings it onto the screen; to the top-left edges where
// it is larger than the screen.
QRect OntoScreen(const QRect& available, QRect wanted) {
  const int x = std::max(available.left(), std::min(wanted.left(), available.right() - wanted.width() + 1));
  const int y = std::max(available.top(), std::min(wanted.top(), available.bottom() - wanted.height() + 1));
  wanted.moveTopLeft({x, y});
  return wanted;
}

long long Area(const QRect& rect) {
  return rect.isEmpty() ? 0 : static_cast<long long>(rect.width()) * rect.height();
}

}  // namespace

QRect PlaceBeside(const QRect& available, const QRect& owner, const QRect& keepClear, const QSize& size) {
  const QRect candidates[] = {
      {QPoint(owner.right() + 1 + kGap, owner.top()), size},
      {QPoint(owner.left() - kGap - size.width(), owner.top()), size},
      {QPoint(owner.left(), owner.bottom() + 1 + kGap), size},
      {QPoint(owner.left(), owner.top() - kGap - size.height()), size},
  };
  QRect best;
  constexpr long long kMost = std::numeric_limits<long long>::max();
  std::pair<long long, long long> bestCover(kMost, kMost);
  for (const QRect& candidate : candidates) {
    const QRect placed = OntoScreen(available, candidate);
    if (placed == candidate) return placed;
    const std::pair cover(Area(placed.intersected(keepClear)), Area(placed.intersected(owner)));
    if (cover < bestCover) {
      best = placed;
      bestCover = cover;
    }
  }
  return best;
}

}  // namespace tilvaro
