#pragma once
// CursorImage: a pointer image reduced to what the hint placement needs: which pixels the image
// draws, which it inverts, and its hot spot. CursorBottomOffset finds the image's lowest row.

#include <QPoint>
#include <cstdint>
#include <vector>

class QBitmap;
class QImage;

namespace tilvaro {

struct CursorImage {
  int width = 0, height = 0;
  QPoint hotSpot;
  std::vector<std::uint8_t> drawn;      // 1 where the image covers the screen (row-major)
  std::vector<std::uint8_t> inverting;  // 1 where it inverts the screen instead; may be empty
};

// The offset for an image that draws nothing at all, as for a 32 x 32 cursor drawn down to its
// lowest row. (Where the pointer's image cannot be read, the classic arrow stands in for it.)
inline constexpr int kUnknownCursorBottomOffset = 32;

// From the hot spot down to the image's lowest drawn row; where nothing is drawn, to the lowest
// inverting row; where neither, kUnknownCursorBottomOffset.
int CursorBottomOffset(const CursorImage& image);

// A colour image with its hot spot. A pixel draws from half opacity on: themed cursors fade their
// edges and shadows out in nearly transparent pixels, which the eye does not count as the pointer.
CursorImage CursorImageFromImage(const QImage& picture, QPoint hotSpot);

// The classic arrow pointer (32 x 32, hot spot at its tip in the top-left corner, 19 rows high),
// for where the pointer's own image cannot be read.
const CursorImage& ClassicArrowCursorImage();
// A two-colour cursor: `mask` set draws; `bitmap` set where `mask` is clear inverts.
CursorImage CursorImageFromBitmaps(const QBitmap& bitmap, const QBitmap& mask, QPoint hotSpot);

}  // namespace tilvaro
