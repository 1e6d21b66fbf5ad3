// How far below the hot spot a pointer image ends.
#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>
#include <QPainter>

#include "platform/CursorImage.h"

namespace tilvaro {
namespace {

// A 32 x 32 plane with the pixels of rows `rows` set in column 3.
std::vector<std::uint8_t> Rows(std::initializer_list<int> rows) {
  std::vector<std::uint8_t> plane(32 * 32, 0);
  for (int row : rows) plane[static_cast<std::size_t>(row) * 32 + 3] = 1;
  return plane;
}

TEST(CursorBottomOffsetTest, LowestDrawnRowThenLowestInvertingRowThenThirtyTwo) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> drawn, inverting;
    int hotY, expected;
  };
  const Case cases[] = {
      {"arrow-like image", Rows({0, 10, 22}), {}, 4, 18},
      {"drawn rows win over lower inverting ones", Rows({5}), Rows({30}), 0, 5},
      {"only inverting pixels", Rows({}), Rows({2, 11}), 1, 10},
      {"nothing drawn or inverted", Rows({}), Rows({}), 7, 32},
      {"no planes at all", {}, {}, 0, 32},
  };
  for (const Case& c : cases) {
    const CursorImage image{32, 32, QPoint(0, c.hotY), c.drawn, c.inverting};
    EXPECT_EQ(CursorBottomOffset(image), c.expected) << c.what;
  }
}

TEST(CursorBottomOffsetTest, ColourImageCountsItsVisiblePixels) {
  QImage picture(32, 32, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  picture.setPixel(5, 20, qRgba(255, 255, 255, 255));
  picture.setPixel(9, 24, qRgba(0, 0, 0, 128));  // half opaque: shows
  picture.setPixel(9, 27, qRgba(0, 0, 0, 127));  // a faint shadow: does not count
  EXPECT_EQ(CursorBottomOffset(CursorImageFromImage(picture, QPoint(1, 2))), 22);
  EXPECT_EQ(CursorBottomOffset(ClassicArrowCursorImage()), 18);
}

TEST(CursorBottomOffsetTest, TwoColourCursorUsesItsMaskThenItsInvertingPixels) {
  QBitmap mask(32, 32), bitmap(32, 32);
  mask.clear();
  bitmap.clear();
  const auto dot = [](QBitmap& plane, int x, int y) {
    QPainter painter(&plane);
    painter.setPen(Qt::color1);
    painter.drawPoint(x, y);
  };
  dot(bitmap, 4, 12);  // set where the mask is clear: inverts the screen
  EXPECT_EQ(CursorBottomOffset(CursorImageFromBitmaps(bitmap, mask, QPoint(0, 2))), 10);
  dot(mask, 4, 8);
  EXPECT_EQ(CursorBottomOffset(CursorImageFromBitmaps(bitmap, mask, QPoint(0, 2))), 6);
}

}  // namespace
}  // namespace tilvaro
