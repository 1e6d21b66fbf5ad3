// The masked image list: storage of colour and mask, the draw styles, change links, index errors.
#include <gtest/gtest.h>

#include <QImage>

#include "glyphs/ImageList.h"
#include "glyphs/ImageListImage.h"

namespace tilvaro {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGreen{0, 128, 0};

TEST(ImageList, RejectsCellSizesOutOfRange) {
  for (const auto& [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-1, 5}, std::pair{5, 32769}}) {
    try {
      TImageList list(w, h);
      ADD_FAILURE() << w << " x " << h << " accepted";
    } catch (const EInvalidOperation& e) {
      EXPECT_STREQ(e.what(), "Ungültige Bildgröße");
    }
  }
  EXPECT_NO_THROW(TImageList(1, 32768));
}

TEST(ImageList, AddSplitsAStripAndKeepsColourAndMask) {
  TImageList list(2, 1);
  Bitmap strip = Bitmap::Color(5, 1, kRed);  // two whole cells; the fifth column is ignored
  strip.SetPixel(2, 0, kBlue);
  const Bitmap mask = Bitmap::Mono(5, 1, false);
  Bitmap maskWithHole = mask;
  maskWithHole.SetBit(3, 0, true);
  EXPECT_EQ(list.Add(strip, &maskWithHole), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.PixelAt(1, 0, 0), kBlue);
  EXPECT_FALSE(list.TransparentAt(1, 0, 0));
  EXPECT_TRUE(list.TransparentAt(1, 1, 0));
  // No whole cell, or nothing at all: nothing is added.
  EXPECT_EQ(list.Add(Bitmap::Color(1, 1), nullptr), -1);
  EXPECT_EQ(list.Add(Bitmap(), nullptr), -1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.BytesPerImage(), 2u * 1u * 3u + 1u);
}

TEST(ImageList, AddMaskedMakesTheColourTransparentAndStoresItBlack) {
  TImageList list(2, 2);
  Bitmap image = Bitmap::Color(2, 2, kGreen);
  image.SetPixel(1, 1, Rgb{192, 192, 192});
  const int index = list.AddMasked(image, SysColorValue(SysColor::BtnFace));
  EXPECT_TRUE(list.TransparentAt(index, 1, 1));
  EXPECT_EQ(list.PixelAt(index, 1, 1), kBlack);
  EXPECT_FALSE(list.TransparentAt(index, 0, 0));
  EXPECT_EQ(list.PixelAt(index, 0, 0), kGreen);
}

TEST(ImageList, DrawStyles) {
  TImageList list(2, 1);
  Bitmap image = Bitmap::Color(2, 1, kRed);
  Bitmap mask = Bitmap::Mono(2, 1, false);
  mask.SetBit(1, 0, true);
  list.Add(image, &mask);

  // Transparent, and normal without a background colour: the masked pixel keeps the destination.
  for (const unsigned style : {ILD_TRANSPARENT, ILD_NORMAL}) {
    Bitmap dest = Bitmap::Color(3, 1, kBlue);
    EXPECT_TRUE(list.Draw(dest, 1, 0, 0, style));
    EXPECT_EQ(dest.Pixel(0, 0), kBlue);
    EXPECT_EQ(dest.Pixel(1, 0), kRed);
    EXPECT_EQ(dest.Pixel(2, 0), kBlue);
  }
  // Normal with a background colour fills the transparent pixels with it.
  list.SetBkColor(ToColor(kGreen));
  Bitmap dest = Bitmap::Color(2, 1, kBlue);
  list.Draw(dest, 0, 0, 0, ILD_NORMAL);
  EXPECT_EQ(dest.Pixel(1, 0), kGreen);
  // The mask itself: bits into a mono bitmap, text/background colours into a colour one.
  Bitmap monoDest = Bitmap::Mono(2, 1, true);
  list.Draw(monoDest, 0, 0, 0, ILD_MASK);
  EXPECT_FALSE(monoDest.Bit(0, 0));
  EXPECT_TRUE(monoDest.Bit(1, 0));
  Bitmap colourDest = Bitmap::Color(2, 1, kBlue);
  list.Draw(colourDest, 0, 0, 0, ILD_MASK);
  EXPECT_EQ(colourDest.Pixel(0, 0), kBlack);
  EXPECT_EQ(colourDest.Pixel(1, 0), kWhite);
  // Out of range: nothing drawn; partly outside the destination: clipped.
  EXPECT_FALSE(list.Draw(dest, 0, 0, 1, ILD_NORMAL));
  EXPECT_TRUE(list.Draw(dest, -1, 0, 0, ILD_TRANSPARENT));
}

TEST(ImageList, RemoveShiftsLaterImagesAndRejectsBadIndexes) {
  TImageList list(1, 1);
  list.Add(Bitmap::Color(1, 1, kRed), nullptr);
  list.Add(Bitmap::Color(1, 1, kBlue), nullptr);
  list.Remove(0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.PixelAt(0, 0, 0), kBlue);
  for (const int bad : {1, 7, -1}) {
    try {
      list.Remove(bad);
      ADD_FAILURE() << "index " << bad << " accepted";
    } catch (const EInvalidOperation& e) {
      EXPECT_STREQ(e.what(), "Ungültiger ImageList-Index");
    }
  }
  EXPECT_EQ(list.Count(), 1);
  EXPECT_FALSE(list.Replace(1, Bitmap::Color(1, 1), nullptr));
  EXPECT_FALSE(list.Replace(0, Bitmap(), nullptr));
  EXPECT_EQ(list.PixelAt(0, 0, 0), kBlue);
}

TEST(ImageList, ChangeLinksAreToldAndDetachOnEitherSide) {
  int changes = 0;
  TChangeLink outer([&changes](TImageList&) { ++changes; });
  {
    TImageList list(1, 1);
    TChangeLink inner([&changes](TImageList&) { changes += 100; });
    list.RegisterChanges(outer);
    list.RegisterChanges(inner);
    list.Add(Bitmap::Color(1, 1), nullptr);
    EXPECT_EQ(changes, 101);
    list.UnRegisterChanges(inner);
    list.Replace(0, Bitmap::Color(1, 1, kRed), nullptr);
    list.Remove(0);
    EXPECT_EQ(changes, 103);
    EXPECT_EQ(outer.Sender(), &list);
  }
  // The list went first; the link no longer points at it and its destruction is harmless.
  EXPECT_EQ(outer.Sender(), nullptr);
}

TEST(ImageList, CellToQImageUsesTheMaskAsAlpha) {
  TImageList list(2, 1);
  Bitmap mask = Bitmap::Mono(2, 1, false);
  mask.SetBit(0, 0, true);
  list.Add(Bitmap::Color(2, 1, kRed), &mask);
  const QImage image = ImageListCellToQImage(list, 0);
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(image.pixel(1, 0), qRgba(255, 0, 0, 255));
  EXPECT_TRUE(ImageListCellToQImage(list, 1).isNull());
}

}  // namespace
}  // namespace tilvaro
