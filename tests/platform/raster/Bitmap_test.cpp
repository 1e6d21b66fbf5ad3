// Bitmaps: storage, resizing, copies, palettes and colour resolution.
#include <gtest/gtest.h>

#include "platform/raster/Bitmap.h"
#include "platform/raster/Blit.h"

namespace tilvaro {
namespace {

TEST(Color, ChannelOrderAndSystemColours) {
  EXPECT_EQ(ResolveColor(12566272), (Rgb{0, 191, 191}));
  EXPECT_EQ(RGBColor(1, 2, 3), 0x030201u);
  // The palette-relative flag is ignored when resolving.
  EXPECT_EQ(ResolveColor(0x02000000u | RGBColor(9, 8, 7)), (Rgb{9, 8, 7}));
  EXPECT_EQ(SysColorValue(SysColor::BtnFace), 0x8000000Fu);
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::BtnFace)), (Rgb{192, 192, 192}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::BtnShadow)), (Rgb{128, 128, 128}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::BtnHighlight)), (Rgb{255, 255, 255}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::InfoBk)), (Rgb{255, 255, 225}));

  int calls = 0;
  SetSysColorResolver([&calls](SysColor c) {
    ++calls;
    return c == SysColor::BtnFace ? Rgb{1, 2, 3} : DefaultSysColor(c);
  });
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::BtnFace)), (Rgb{1, 2, 3}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::Window)), kWhite);
  EXPECT_EQ(calls, 2);  // asked on every resolution, not cached
  SetSysColorResolver(nullptr);
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::BtnFace)), (Rgb{192, 192, 192}));
}

TEST(Bitmap, MonoBitsAcrossByteBoundaries) {
  Bitmap mono = Bitmap::Mono(11, 2, false);
  mono.SetBit(7, 0, true);
  mono.SetBit(8, 0, true);
  mono.SetBit(10, 1, true);
  EXPECT_EQ(mono.MonoStride(), 2);
  EXPECT_EQ(mono.MonoRow(0)[0], 0x01);
  EXPECT_EQ(mono.MonoRow(0)[1] & 0xE0, 0x80);
  EXPECT_TRUE(mono.Bit(10, 1));
  EXPECT_FALSE(mono.Bit(9, 1));
  EXPECT_EQ(mono.Pixel(7, 0), kWhite);
  EXPECT_EQ(mono.Pixel(6, 0), kBlack);
  EXPECT_THROW(mono.Bit(11, 0), std::out_of_range);
  EXPECT_THROW(mono.SetPixel(0, -1, kWhite), std::out_of_range);
}

TEST(Bitmap, ResizeKeepsContentAndFillsWhite) {
  Bitmap mono = Bitmap::Mono(3, 3, false);
  mono.SetBit(2, 2, true);
  mono.Resize(4, 4);
  EXPECT_TRUE(mono.Bit(2, 2));
  EXPECT_FALSE(mono.Bit(1, 1));
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(mono.Bit(3, i));
    EXPECT_TRUE(mono.Bit(i, 3));
  }
  Bitmap colour = Bitmap::Color(2, 2, kBlack);
  colour.Resize(1, 3);
  EXPECT_EQ(colour.Width(), 1);
  EXPECT_EQ(colour.Pixel(0, 1), kBlack);
  EXPECT_EQ(colour.Pixel(0, 2), kWhite);
}

TEST(Bitmap, CopyOfAnAreaKeepsPaletteAndColours) {
  Bitmap src = Bitmap::Color(4, 4, kBlack);
  src.SetPixel(3, 3, Rgb{1, 2, 3});
  src.SetPalette({kBlack, kWhite});
  src.SetBackgroundColor(RGBColor(5, 5, 5));
  const Bitmap copy = src.Copy(Rect{2, 2, 6, 5});
  EXPECT_EQ(copy.GetSize(), (Size{4, 3}));
  EXPECT_EQ(copy.Pixel(1, 1), (Rgb{1, 2, 3}));
  EXPECT_EQ(copy.Pixel(2, 0), kWhite);  // outside the source
  EXPECT_EQ(copy.GetPalette().size(), 2u);
  EXPECT_EQ(copy.BackgroundColor(), RGBColor(5, 5, 5));
}

TEST(Bitmap, NearestColourComesFromThePaletteWhenThereIsOne) {
  Bitmap trueColour = Bitmap::Color(1, 1);
  EXPECT_EQ(trueColour.NearestColor(Rgb{128, 128, 128}), (Rgb{128, 128, 128}));

  Bitmap sixteen = Bitmap::Color(1, 1);
  // No pure white and no 128 grey: the nearest entries answer.
  sixteen.SetPalette({{0, 0, 0}, {250, 250, 240}, {120, 120, 136}, {255, 0, 0}, {245, 245, 245}});
  EXPECT_EQ(sixteen.NearestColor(kWhite), (Rgb{250, 250, 240}));
  EXPECT_EQ(sixteen.NearestColor(Rgb{128, 128, 128}), (Rgb{120, 120, 136}));
  // Ties go to the first entry.
  EXPECT_EQ(NearestPaletteIndex({{10, 0, 0}, {0, 10, 0}}, Rgb{0, 0, 0}), 0);
  EXPECT_EQ(NearestPaletteIndex({}, kWhite), -1);

  // A palette-relative colour matches the nearest palette entry in a colour-to-mono conversion; a
  // plain one matches exactly.
  Bitmap glyph = Bitmap::Color(2, 1, Rgb{250, 250, 240});
  glyph.SetPixel(1, 0, kWhite);
  glyph.SetPalette(sixteen.GetPalette());
  Bitmap exact = ColorToMono(glyph, RGBColor(255, 255, 255));
  EXPECT_FALSE(exact.Bit(0, 0));
  EXPECT_TRUE(exact.Bit(1, 0));
  Bitmap relative = ColorToMono(glyph, kPaletteRelativeFlag | RGBColor(255, 255, 255));
  EXPECT_TRUE(relative.Bit(0, 0));
  EXPECT_FALSE(relative.Bit(1, 0));
}

}  // namespace
}  // namespace tilvaro
