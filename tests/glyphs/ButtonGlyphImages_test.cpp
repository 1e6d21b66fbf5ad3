// The prepared state images of the glyph renderer, pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "glyphs/ButtonGlyph.h"
#include "glyphs/GlyphCache.h"
#include "glyphs/GlyphList.h"
#include "glyphs/ImageList.h"
#include "glyphs/GlyphArt.h"

namespace tilvaro {
namespace {

using test::kGreen;
using test::kGrey;
using test::kRed;
using test::kSilver;
using test::kTeal;
using test::ListImageArt;

// Art of `width` x `height` pixels of `fill` (transparent by default) with the dots set.
struct Dot {
  int x, y;
  char art;
};
std::vector<std::string> Art(int width, int height, std::initializer_list<Dot> dots = {}, char fill = '-') {
  std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), fill));
  for (const Dot& d : dots) rows[static_cast<std::size_t>(d.y)][static_cast<std::size_t>(d.x)] = d.art;
  return rows;
}
// A bitmap filled with one colour, with single pixels set.
struct Px {
  int x, y;
  Rgb colour;
};
Bitmap Painted(int width, int height, Rgb fill, std::initializer_list<Px> pixels) {
  Bitmap bitmap = Bitmap::Color(width, height, fill);
  for (const Px& p : pixels) bitmap.SetPixel(p.x, p.y, p.colour);
  return bitmap;
}

class ButtonGlyphImagesTest : public ::testing::Test {
 protected:
  test::KnownSysColorsScope colors_;
};

std::vector<std::string> Prepared(TButtonGlyph& glyph, ButtonState state) {
  const PreparedImage image = glyph.PrepareStateImage(state);
  EXPECT_NE(image.slot, -1);
  if (image.slot == -1) return {};
  return ListImageArt(*glyph.GlyphList(image.side), image.slot);
}

TEST_F(ButtonGlyphImagesTest, TwoImageGlyphSharesUpAndRecoloursItsOwnDisabledColumn) {
  TButtonGlyph glyph;
  glyph.SetGlyph(Painted(36, 18, kTeal, {{2, 2, kGreen}, {19, 1, kWhite}, {20, 1, kGrey}, {21, 1, kBlack}, {22, 1, kRed}}));
  ASSERT_EQ(glyph.NumGlyphs(), 2);

  const PreparedImage up = glyph.PrepareStateImage(ButtonState::Up);
  EXPECT_TRUE(up.side);
  for (ButtonState state : {ButtonState::Down, ButtonState::Latched, ButtonState::Hot}) {
    const PreparedImage other = glyph.PrepareStateImage(state);
    EXPECT_TRUE(other.side);
    EXPECT_EQ(other.slot, up.slot);
  }
  EXPECT_EQ(glyph.GlyphList(true)->UsedCount(), 1);
  EXPECT_EQ(ListImageArt(*glyph.GlyphList(true), up.slot), Art(18, 18, {{2, 2, 'g'}}));  // 18 wide

  const PreparedImage disabled = glyph.PrepareStateImage(ButtonState::Disabled);
  EXPECT_FALSE(disabled.side);
  EXPECT_EQ(ListImageArt(*glyph.GlyphList(false), disabled.slot),
            Art(19, 19, {{1, 1, 'H'}, {2, 1, 'S'}, {3, 1, 'K'}, {4, 1, 'R'}}));
  EXPECT_EQ(glyph.StateImageIndex(false, ButtonState::Disabled), disabled.slot);
  EXPECT_EQ(glyph.StateImageIndex(true, ButtonState::Disabled), -1);
}

TEST_F(ButtonGlyphImagesTest, DerivedDisabledImageEmbossesEverythingButTransparentWhiteAndSilver) {
  TButtonGlyph glyph;
  glyph.SetGlyph(Painted(16, 16, kTeal,
                         {{3, 3, kBlack}, {5, 5, kRed}, {7, 7, kWhite}, {9, 9, kSilver}, {11, 11, kBlack}, {12, 12, kBlack}}));
  // At 12,12 the shadow covers the highlight of the pixel before it.
  std::vector<std::string> expected =
      Art(17, 17, {{3, 3, 'S'}, {4, 4, 'H'}, {5, 5, 'S'}, {6, 6, 'H'}, {11, 11, 'S'}, {12, 12, 'S'}, {13, 13, 'H'}});
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled), expected);

  // The old style embosses the black pixels only.
  glyph.SetOldDisabledStyle(true);
  glyph.DiscardImages();
  expected[5][5] = expected[6][6] = '-';
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled), expected);
}

TEST_F(ButtonGlyphImagesTest, TransparentColourIsTheWholeGlyphsBottomLeftPixel) {
  TButtonGlyph glyph;
  glyph.SetGlyph(Painted(36, 18, kTeal, {{0, 17, kRed}, {18 + 5, 5, kRed}}));
  EXPECT_EQ(glyph.TransparentColor(), RGBColor(255, 0, 0) | 0x02000000u);

  // In the second column red is transparent and the teal is drawn.
  const std::vector<std::string> disabled = Prepared(glyph, ButtonState::Disabled);
  ASSERT_EQ(disabled.size(), 19u);
  EXPECT_EQ(disabled[5][5], '-');
  EXPECT_EQ(disabled[5][6], '.');
  EXPECT_EQ(disabled[17][0], '.');
  EXPECT_EQ(disabled[18][0], '-');
  // In the first column, the bottom-left pixel itself is transparent.
  const std::vector<std::string> up = Prepared(glyph, ButtonState::Up);
  EXPECT_EQ(up[17][0], '-');
  EXPECT_EQ(up[0][0], '.');
}

TEST_F(ButtonGlyphImagesTest, GlyphMaskDecidesTransparencyInAllStyles) {
  const Bitmap bitmap = Painted(16, 16, kRed, {{2, 2, kBlack}, {10, 10, kBlack}});
  Bitmap mask = Bitmap::Color(16, 16, kBlack);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) mask.SetPixel(x, y, kWhite);  // top half transparent
  }
  TButtonGlyph glyph;
  glyph.SetGlyph(bitmap);
  const TColor transparent = glyph.TransparentColor();
  glyph.SetGlyphMask(mask);
  EXPECT_EQ(glyph.TransparentColor(), transparent);

  const std::vector<std::string> up = Prepared(glyph, ButtonState::Up);
  EXPECT_EQ(up[2][2], '-');
  EXPECT_EQ(up[7][15], '-');
  EXPECT_EQ(up[8][0], 'R');
  EXPECT_EQ(up[10][10], 'K');

  // Current style: the opaque bottom half in shadow, its highlight copy showing below and right.
  std::vector<std::string> disabled = Prepared(glyph, ButtonState::Disabled);
  EXPECT_EQ(disabled[7], std::string(17, '-'));
  EXPECT_EQ(disabled[8], std::string(16, 'S') + "-");
  EXPECT_EQ(disabled[9], std::string(16, 'S') + "H");
  EXPECT_EQ(disabled[16], "-" + std::string(16, 'H'));

  // Old style: only the opaque black pixel; the masked black pixel stays transparent.
  glyph.SetOldDisabledStyle(true);
  glyph.DiscardImages();
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled), Art(17, 17, {{10, 10, 'S'}, {11, 11, 'H'}}));
}

TEST_F(ButtonGlyphImagesTest, NumGlyphsIsDerivedFromTheProportionsAndClamped) {
  TButtonGlyph glyph;
  for (auto [width, count] : {std::pair{96, 1} /* six images are one too many */, {80, 5}, {20, 1}}) {
    glyph.SetGlyph(Bitmap::Color(width, 16));
    EXPECT_EQ(glyph.NumGlyphs(), count) << width;
  }
  for (auto [set, count] : {std::pair{3, 3}, {0, 1}, {6, 1}}) {
    glyph.SetNumGlyphs(set);
    EXPECT_EQ(glyph.NumGlyphs(), count) << set;
  }

  TImageList list(16, 16);
  glyph.LinkImages(&list);
  glyph.SetNumGlyphs(3);
  EXPECT_EQ(glyph.NumGlyphs(), 1);
}

TEST_F(ButtonGlyphImagesTest, LoadingIntoTheGlyphBitmapRefreshesButDoesNotDeriveNumGlyphs) {
  TButtonGlyph glyph;
  int changes = 0;
  glyph.OnGlyphChange = [&](TButtonGlyph&) { ++changes; };
  glyph.SetGlyph(Bitmap::Color(32, 16, kTeal));
  EXPECT_EQ(glyph.NumGlyphs(), 2);
  EXPECT_GE(changes, 1);
  glyph.PrepareStateImage(ButtonState::Up);
  ASSERT_NE(glyph.StateImageIndex(true, ButtonState::Up), -1);

  changes = 0;
  glyph.GlyphBitmap().Assign(Bitmap::Color(16, 16, kRed));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(glyph.NumGlyphs(), 2);
  EXPECT_EQ(glyph.TransparentColor(), RGBColor(255, 0, 0) | kPaletteRelativeFlag);
  EXPECT_EQ(glyph.StateImageIndex(true, ButtonState::Up), -1);
  EXPECT_EQ(glyph.GlyphList(true), nullptr);
}

TEST_F(ButtonGlyphImagesTest, GlyphNarrowerThanItsImageCountCannotBePrepared) {
  TButtonGlyph glyph;
  glyph.SetGlyph(Bitmap::Color(1, 16));
  glyph.SetNumGlyphs(2);
  try {
    glyph.PrepareStateImage(ButtonState::Up);
    FAIL() << "no error";
  } catch (const EInvalidOperation& error) {
    EXPECT_STREQ(error.what(), "Ungültige Bildgröße");
  }
  EXPECT_EQ(glyph.StateImageIndex(true, ButtonState::Up), -1);
  EXPECT_EQ(glyph.GlyphList(true), nullptr);
  // The disabled cell is one pixel wider, so it can be made; the next Up paint fails again.
  EXPECT_NE(glyph.PrepareStateImage(ButtonState::Disabled).slot, -1);
  EXPECT_THROW(glyph.PrepareStateImage(ButtonState::Hot), EInvalidOperation);
}

TEST_F(ButtonGlyphImagesTest, QImageWithTransparentPixelsBringsItsOwnMask) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 0, 0));
  image.setPixel(4, 5, qRgba(255, 0, 0, 255));
  TButtonGlyph glyph;
  glyph.SetGlyph(image);
  EXPECT_EQ(glyph.GlyphMask().Width(), 16);
  EXPECT_EQ(Prepared(glyph, ButtonState::Up), Art(16, 16, {{4, 5, 'R'}}));

  // An opaque image clears the mask again: its bottom-left colour is transparent.
  QImage opaque(16, 16, QImage::Format_RGB32);
  opaque.fill(qRgb(0, 128, 128));
  opaque.setPixel(1, 1, qRgb(0, 0, 0));
  glyph.SetGlyph(opaque);
  EXPECT_TRUE(glyph.GlyphMask().IsEmpty());
  EXPECT_EQ(Prepared(glyph, ButtonState::Up), Art(16, 16, {{1, 1, 'K'}}));
}

TEST_F(ButtonGlyphImagesTest, EmptyGlyphPreparesNothing) {
  TButtonGlyph glyph;
  EXPECT_EQ(glyph.PrepareStateImage(ButtonState::Up).slot, -1);
  EXPECT_EQ(glyph.PrepareStateImage(ButtonState::Disabled).slot, -1);
  EXPECT_EQ(glyph.GlyphList(true), nullptr);
  EXPECT_EQ(glyph.GlyphList(false), nullptr);
}

TEST_F(ButtonGlyphImagesTest, ImagesFromAnExternalListWithChangeLink) {
  TImageList list(16, 16);
  ASSERT_EQ(list.AddMasked(Painted(16, 16, kTeal, {{4, 4, kBlack}, {6, 4, kRed}}), ToColor(kTeal)), 0);

  TButtonGlyph glyph;
  int changes = 0;
  glyph.OnGlyphChange = [&](TButtonGlyph&) { ++changes; };
  glyph.LinkImages(&list);
  ASSERT_NE(glyph.ImagesLink(), nullptr);
  EXPECT_EQ(glyph.PrepareStateImage(ButtonState::Up).slot, -1);  // ImageIndex -1
  glyph.SetImageIndex(1);
  EXPECT_EQ(glyph.PrepareStateImage(ButtonState::Up).slot, -1);  // beyond the list
  glyph.SetImageIndex(0);
  glyph.GlyphSourceChanged(&list);

  EXPECT_EQ(Prepared(glyph, ButtonState::Up), Art(16, 16, {{4, 4, 'K'}, {6, 4, 'R'}}));
  std::vector<std::string> disabled = Art(17, 17, {{4, 4, 'S'}, {6, 4, 'S'}, {5, 5, 'H'}, {7, 5, 'H'}});
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled), disabled);
  glyph.SetOldDisabledStyle(true);
  glyph.DiscardImages();
  disabled[4][6] = disabled[5][7] = '-';
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled), disabled);

  // A change of the list discards the prepared images and tells the owner.
  changes = 0;
  list.Change();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(glyph.StateImageIndex(true, ButtonState::Up), -1);

  glyph.LinkImages(nullptr);
  EXPECT_EQ(glyph.ImagesLink(), nullptr);
  EXPECT_EQ(glyph.Images(), nullptr);
}

TEST_F(ButtonGlyphImagesTest, DestroyingTheListInUseClearsImagesAndTellsTheOwner) {
  TButtonGlyph glyph;
  auto list = std::make_unique<TImageList>(6, 6);
  list->Add(Bitmap::Color(6, 6, kRed), nullptr);
  glyph.LinkImages(list.get());
  glyph.SetImageIndex(0);
  ASSERT_NE(glyph.PrepareStateImage(ButtonState::Up).slot, -1);
  int changes = 0;
  glyph.OnGlyphChange = [&](TButtonGlyph&) { ++changes; };
  list.reset();
  EXPECT_EQ(glyph.Images(), nullptr);
  EXPECT_EQ(glyph.ImagesLink(), nullptr);
  EXPECT_GE(changes, 1);
  EXPECT_EQ(glyph.StateImageIndex(true, ButtonState::Up), -1);
  EXPECT_EQ(glyph.GlyphList(true), nullptr);
  EXPECT_EQ(glyph.PrepareStateImage(ButtonState::Up).slot, -1);
  glyph.DiscardImages();  // the list is gone: nothing left to touch
  EXPECT_EQ(glyph.PrepareStateImage(ButtonState::Up).slot, -1);
}

TEST_F(ButtonGlyphImagesTest, SetImagesMovesTheLinkToTheNewList) {
  TImageList a(4, 4);
  TImageList b(4, 4);
  b.Add(Bitmap::Color(4, 4, kRed), nullptr);
  TButtonGlyph glyph;
  glyph.LinkImages(&a);
  glyph.SetImages(&b);
  glyph.SetImageIndex(0);
  glyph.GlyphSourceChanged(&b);
  EXPECT_EQ(Prepared(glyph, ButtonState::Up), Art(4, 4, {}, 'R'));
  EXPECT_EQ(glyph.ImagesLink()->Sender(), &b);
  // The first list is no longer watched: its changes and its end leave b in use.
  a.Change();
  EXPECT_NE(glyph.StateImageIndex(true, ButtonState::Up), -1);
}

TEST_F(ButtonGlyphImagesTest, TransparentColourMatchesExactlyInEveryState) {
  // The glyph's colour is no entry of its palette; the nearest entry must not stand in for it.
  Bitmap bitmap = Painted(4, 4, Rgb{0, 120, 120}, {{1, 1, kBlack}});
  bitmap.SetPalette({kTeal, kBlack});
  TButtonGlyph glyph;
  glyph.SetGlyph(bitmap);
  EXPECT_EQ(Prepared(glyph, ButtonState::Up), Art(4, 4, {{1, 1, 'K'}}));
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled), Art(5, 5, {{1, 1, 'S'}, {2, 2, 'H'}}));
}

TEST_F(ButtonGlyphImagesTest, ExplicitGlyphMaskSurvivesAGlyphChange) {
  Bitmap mask = Bitmap::Color(4, 4, kBlack);
  mask.SetPixel(0, 0, kWhite);
  TButtonGlyph glyph;
  glyph.SetGlyphMask(mask);
  QImage opaque(4, 4, QImage::Format_RGB32);
  opaque.fill(qRgb(255, 0, 0));
  glyph.SetGlyph(opaque);
  ASSERT_TRUE(glyph.GlyphMask().SamePixels(mask));
  QImage withAlpha(4, 4, QImage::Format_ARGB32);
  withAlpha.fill(qRgba(255, 0, 0, 255));
  withAlpha.setPixel(3, 3, qRgba(255, 0, 0, 0));
  glyph.SetGlyph(withAlpha);
  ASSERT_TRUE(glyph.GlyphMask().SamePixels(mask));
  const std::vector<std::string> up = Prepared(glyph, ButtonState::Up);
  EXPECT_EQ(up[0], "-RRR");
  EXPECT_NE(up[3][3], '-');  // the image's own alpha does not replace the mask
}

TEST_F(ButtonGlyphImagesTest, SystemColourChangeNeedsDiscardToShowInDisabledImages) {
  TButtonGlyph glyph;
  glyph.SetGlyph(Painted(16, 16, kTeal, {{3, 3, kBlack}}));
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled)[3][3], 'S');
  SetSysColorResolver([](SysColor color) {
    return color == SysColor::BtnShadow ? Rgb{0, 128, 0} : test::KnownSysColor(color);
  });
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled)[3][3], 'S');  // prepared with the old colours
  glyph.DiscardImages();
  EXPECT_EQ(Prepared(glyph, ButtonState::Disabled)[3][3], 'g');
}

}  // namespace
}  // namespace tilvaro
