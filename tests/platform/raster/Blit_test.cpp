// Blits between colour and mono bitmaps: format conversions with the DC colours, brushes, clipping.
#include <gtest/gtest.h>

#include <climits>

#include "platform/raster/Blit.h"

namespace tilvaro {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kTeal{0, 191, 191};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kSilver{192, 192, 192};

// A mono bitmap from rows of '1'/'0'.
Bitmap MonoFrom(std::initializer_list<const char*> rows) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(std::string_view(*rows.begin()).size());
  Bitmap bitmap = Bitmap::Mono(w, h, false);
  int y = 0;
  for (const char* row : rows) {
    for (int x = 0; x < w; ++x) bitmap.SetBit(x, y, row[x] == '1');
    ++y;
  }
  return bitmap;
}

std::string MonoRows(const Bitmap& bitmap) {
  std::string text;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) text += bitmap.Bit(x, y) ? '1' : '0';
    text += '\n';
  }
  return text;
}

TEST(Blit, ColourToMonoMatchesTheSourceBackgroundColour) {
  Bitmap src = Bitmap::Color(3, 1);
  src.SetPixel(0, 0, kRed);
  src.SetPixel(1, 0, kTeal);
  src.SetPixel(2, 0, kRed);
  src.SetBackgroundColor(ToColor(kRed));
  Bitmap mono = Bitmap::Mono(3, 1, false);
  Blit(mono, 0, 0, 3, 1, src, 0, 0, SRCCOPY);
  EXPECT_EQ(MonoRows(mono), "101\n");

  // SRCPAINT with a second background colour adds its pixels.
  src.SetBackgroundColor(ToColor(kTeal));
  Blit(mono, 0, 0, 3, 1, src, 0, 0, SRCPAINT);
  EXPECT_EQ(MonoRows(mono), "111\n");

  // The conversion helper agrees and the colour mask helper combines several colours.
  EXPECT_EQ(MonoRows(ColorToMono(src, ToColor(kTeal))), "010\n");
  EXPECT_EQ(MonoRows(ColorMask(src, 0, 0, 3, 1, {ToColor(kTeal)})), "010\n");
  EXPECT_EQ(MonoRows(ColorMask(src, 1, 0, 2, 1, {ToColor(kRed), ToColor(kTeal)})), "11\n");
  EXPECT_EQ(src.BackgroundColor(), ToColor(kTeal));
}

TEST(Blit, MonoToColourUsesTheDestinationTextAndBackgroundColours) {
  const Bitmap mono = MonoFrom({"01"});
  Bitmap dest = Bitmap::Color(2, 1);
  dest.SetTextColor(ToColor(kRed));               // 0 bits
  dest.SetBackgroundColor(SysColorValue(SysColor::BtnFace));  // 1 bits, resolved when blitting
  Blit(dest, 0, 0, 2, 1, mono, 0, 0, SRCCOPY);
  EXPECT_EQ(dest.Pixel(0, 0), kRed);
  EXPECT_EQ(dest.Pixel(1, 0), kSilver);

  const Bitmap colour = MonoToColor(mono, ToColor(kTeal), ToColor(kGrey));
  EXPECT_EQ(colour.Pixel(0, 0), kTeal);
  EXPECT_EQ(colour.Pixel(1, 0), kGrey);
}

TEST(Blit, MaskedBrushPaintingOnColour) {
  // The "paint through mask" idiom: DSPDxax puts the brush where the mask is 1, PSDPxax where it is 0.
  const Bitmap mask = MonoFrom({"10", "01"});
  Bitmap dest = Bitmap::Color(2, 2, kTeal);
  PaintWhereSet(dest, Point{0, 0}, mask, mask.Bounds(), Brush::Solid(ToColor(kRed)));
  EXPECT_EQ(dest.Pixel(0, 0), kRed);
  EXPECT_EQ(dest.Pixel(1, 0), kTeal);
  EXPECT_EQ(dest.Pixel(0, 1), kTeal);
  EXPECT_EQ(dest.Pixel(1, 1), kRed);

  Bitmap dest2 = Bitmap::Color(2, 2, kTeal);
  dest2.SetTextColor(ToColor(kGrey));  // overridden to black/white by the helper
  PaintWhereClear(dest2, Point{0, 0}, mask, mask.Bounds(), Brush::Solid(ToColor(kRed)));
  EXPECT_EQ(dest2.Pixel(0, 0), kTeal);
  EXPECT_EQ(dest2.Pixel(1, 0), kRed);
  EXPECT_EQ(dest2.Pixel(0, 1), kRed);
  EXPECT_EQ(dest2.Pixel(1, 1), kTeal);

  // With other DC colours the mono source expands to them first and the operation works per channel:
  // with text = background = black the source is 0 everywhere, so DSPDxax keeps every pixel.
  Bitmap dest3 = Bitmap::Color(2, 2, kTeal);
  dest3.SetTextColor(ToColor(kBlack));
  dest3.SetBackgroundColor(ToColor(kBlack));
  Blit(dest3, 0, 0, 2, 2, mask, 0, 0, DSPDxax, Brush::Solid(ToColor(kRed)));
  EXPECT_EQ(dest3.Pixel(0, 0), kTeal);
}

TEST(Blit, MonoDestinationsCombineBits) {
  Bitmap dest = MonoFrom({"1100"});
  const Bitmap src = MonoFrom({"1010"});
  AndNotBits(dest, Point{0, 0}, src, src.Bounds());
  EXPECT_EQ(MonoRows(dest), "0100\n");
  OrBits(dest, Point{0, 0}, src, src.Bounds());
  EXPECT_EQ(MonoRows(dest), "1110\n");

  // A solid colour brush on a mono destination: light colours become 1, dark ones 0.
  FillRect(dest, Rect{0, 0, 2, 1}, RGBColor(200, 200, 200));
  FillRect(dest, Rect{2, 0, 4, 1}, RGBColor(100, 100, 100));
  EXPECT_EQ(MonoRows(dest), "1100\n");
}

TEST(Blit, PatternBrushesAreTiledFromTheDestinationOrigin) {
  Bitmap pattern = Bitmap::Mono(8, 8, false);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) pattern.SetBit(x, y, (x * 3 + y * 5) % 7 < 3);
  }
  Bitmap dest = Bitmap::Color(20, 20, kTeal);
  dest.SetTextColor(ToColor(kRed));
  dest.SetBackgroundColor(ToColor(kGrey));
  PatBlit(dest, Rect{3, 5, 14, 18}, PATCOPY, Brush::Pattern(pattern));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 3 && x < 14 && y >= 5 && y < 18;
      const Rgb expected = !inside ? kTeal : pattern.Bit(x % 8, y % 8) ? kGrey : kRed;
      ASSERT_EQ(dest.Pixel(x, y), expected) << x << "," << y;
    }
  }

  // A colour pattern keeps its colours; on a mono destination a mono pattern keeps its bits.
  Bitmap colourPattern = Bitmap::Color(8, 8, kRed);
  colourPattern.SetPixel(1, 2, kTeal);
  Bitmap dest2 = Bitmap::Color(10, 10, kBlack);
  PatBlit(dest2, Rect{2, 2, 10, 10}, PATCOPY, Brush::Pattern(colourPattern));
  EXPECT_EQ(dest2.Pixel(9, 2), kTeal);
  EXPECT_EQ(dest2.Pixel(2, 2), kRed);
  EXPECT_EQ(dest2.Pixel(1, 2), kBlack);

  Bitmap mono = Bitmap::Mono(9, 1, false);
  PatBlit(mono, mono.Bounds(), PATCOPY, Brush::Pattern(pattern));
  for (int x = 0; x < 9; ++x) EXPECT_EQ(mono.Bit(x, 0), pattern.Bit(x % 8, 0)) << x;
}

TEST(Blit, ClipsToDestinationAndSource) {
  Bitmap src = Bitmap::Color(2, 2, kRed);
  Bitmap dest = Bitmap::Color(3, 3, kTeal);
  // Partly left of and above the destination.
  Blit(dest, -1, -1, 2, 2, src, 0, 0, SRCCOPY);
  EXPECT_EQ(dest.Pixel(0, 0), kRed);
  EXPECT_EQ(dest.Pixel(1, 0), kTeal);
  // The source rectangle reaches beyond the source: those destination pixels stay.
  Blit(dest, 1, 1, 2, 2, src, 1, 1, SRCCOPY);
  EXPECT_EQ(dest.Pixel(1, 1), kRed);
  EXPECT_EQ(dest.Pixel(2, 2), kTeal);
  EXPECT_EQ(dest.Pixel(2, 1), kTeal);
  // Empty sizes do nothing.
  Blit(dest, 0, 0, 0, 5, src, 0, 0, SRCCOPY);
  Blit(dest, 0, 0, -3, 5, src, 0, 0, WHITENESS);
  EXPECT_EQ(dest.Pixel(0, 2), kTeal);
  // Extreme coordinates clip instead of overflowing.
  Blit(dest, INT_MAX - 1, 0, 10, 1, src, 0, 0, SRCCOPY);
  Blit(dest, 0, 0, INT_MAX, INT_MAX, src, INT_MIN, 0, SRCCOPY);
  Blit(dest, INT_MIN, INT_MIN, INT_MAX, INT_MAX, nullptr, 0, 0, BLACKNESS);
  EXPECT_EQ(dest.Pixel(0, 2), kTeal);
  Blit(dest, -5, -5, INT_MAX, INT_MAX, nullptr, 0, 0, BLACKNESS);
  EXPECT_EQ(dest.Pixel(2, 2), kBlack);
}

TEST(Blit, OverlappingCopyWithinOneBitmapReadsTheOldPixels) {
  Bitmap bitmap = Bitmap::Color(4, 1);
  for (int x = 0; x < 4; ++x) bitmap.SetPixel(x, 0, Rgb{static_cast<std::uint8_t>(x * 10), 0, 0});
  Blit(bitmap, 1, 0, 3, 1, bitmap, 0, 0, SRCCOPY);
  EXPECT_EQ(bitmap.Pixel(1, 0).r, 0);
  EXPECT_EQ(bitmap.Pixel(2, 0).r, 10);
  EXPECT_EQ(bitmap.Pixel(3, 0).r, 20);
}

}  // namespace
}  // namespace tilvaro
