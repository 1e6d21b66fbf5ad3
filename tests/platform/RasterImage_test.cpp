// Conversions between raster bitmaps and QImages, and drawing bitmaps on a canvas.
#include "platform/RasterImage.h"

#include <gtest/gtest.h>

#include "platform/Canvas.h"
#include "platform/KnownSysColors.h"

namespace tilvaro {
namespace {

TEST(RasterImageTest, ColourTableBecomesThePalette) {
  QImage indexed(2, 1, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(0, 128, 128), qRgb(255, 255, 255), qRgb(10, 20, 30)});
  indexed.setPixel(0, 0, 2);
  indexed.setPixel(1, 0, 0);
  const Bitmap bitmap = FromQImage(indexed);
  EXPECT_EQ(bitmap.Pixel(0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(bitmap.Pixel(1, 0), (Rgb{0, 128, 128}));
  ASSERT_EQ(bitmap.GetPalette().size(), 3u);
  // "The colour nearest to grey" that this glyph can hold comes from its palette.
  EXPECT_EQ(bitmap.NearestColor(Rgb{128, 128, 128}), (Rgb{0, 128, 128}));
  EXPECT_FALSE(FromQImage(QImage(2, 2, QImage::Format_RGB32)).HasPalette());
}

TEST(RasterImageTest, MaskFromAlphaOnlyForImagesWithTransparentPixels) {
  QImage image(3, 1, QImage::Format_ARGB32);
  image.fill(qRgba(1, 2, 3, 255));
  EXPECT_TRUE(MaskFromAlpha(image).IsEmpty());
  image.setPixel(1, 0, qRgba(0, 0, 0, 0));
  const Bitmap mask = MaskFromAlpha(image);
  ASSERT_EQ(mask.Width(), 3);
  EXPECT_TRUE(mask.IsMono());
  EXPECT_FALSE(mask.Bit(0, 0));
  EXPECT_TRUE(mask.Bit(1, 0));
  EXPECT_TRUE(MaskFromAlpha(QImage(2, 2, QImage::Format_RGB32)).IsEmpty());
}

TEST(RasterImageTest, RoundTripAndMaskedDrawing) {
  Bitmap image = Bitmap::Color(3, 1, Rgb{5, 6, 7});
  image.SetPixel(2, 0, Rgb{200, 100, 50});
  EXPECT_TRUE(FromQImage(ToQImage(image)).SamePixels(image));

  Bitmap mask = Bitmap::Mono(3, 1, false);
  mask.SetBit(1, 0, true);
  QImage target(4, 1, QImage::Format_RGB32);
  target.fill(qRgb(9, 9, 9));
  {
    Canvas canvas(target);
    canvas.DrawMasked(1, 0, image, mask);
  }
  EXPECT_EQ(test::PixelAt(target, 0, 0), (Rgb{9, 9, 9}));
  EXPECT_EQ(test::PixelAt(target, 1, 0), (Rgb{5, 6, 7}));
  EXPECT_EQ(test::PixelAt(target, 2, 0), (Rgb{9, 9, 9}));
  EXPECT_EQ(test::PixelAt(target, 3, 0), (Rgb{200, 100, 50}));

  Bitmap mono = Bitmap::Mono(2, 1, true);
  mono.SetBit(0, 0, false);
  {
    Canvas canvas(target);
    canvas.DrawBitmap(0, 0, mono);
  }
  EXPECT_EQ(test::PixelAt(target, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(test::PixelAt(target, 1, 0), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace tilvaro
