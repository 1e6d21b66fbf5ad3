// Drawing of whole faces, and how renderers share glyph lists and prepared images.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "glyphs/ButtonGlyph.h"
#include "glyphs/GlyphCache.h"
#include "glyphs/GlyphList.h"
#include "glyphs/InvalidOperation.h"
#include "glyphs/SharedGlyphImages.h"
#include "platform/Canvas.h"
#include "glyphs/GlyphArt.h"

namespace tilvaro {
namespace {

using test::kFace;
using test::kHighlight;
using test::kShadow;
using test::PixelAt;

QFont CrispFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  font.setStyleStrategy(QFont::NoAntialias);  // exact pen colours, no blended edges
  return font;
}

QImage FaceImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(test::ToQRgb(kFace));
  return image;
}

using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOf(const QImage& image, Rgb color) {
  PixelSet pixels;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (PixelAt(image, x, y) == color) pixels.insert({x, y});
    }
  }
  return pixels;
}

class ButtonGlyphRenderTest : public ::testing::Test {
 protected:
  test::KnownSysColorsScope colors_;
};

TEST_F(ButtonGlyphRenderTest, DisabledCaptionIsDrawnTwiceHighlightBelowShadow) {
  const Rect client{0, 0, 80, 24};
  QImage normal = FaceImage(80, 24);
  QImage disabled = FaceImage(80, 24);
  TButtonGlyph glyph;
  for (auto [image, state] : {std::pair{&normal, ButtonState::Up}, std::pair{&disabled, ButtonState::Disabled}}) {
    Canvas canvas(*image);
    canvas.Font.font = CrispFont();
    canvas.Font.color = RGBColor(0, 0, 0);
    glyph.RenderButton(canvas, client, {}, true, true, QStringLiteral("Hilfe"), false, TAlignment::taCenter,
                       TButtonLayout::blGlyphLeft, -1, -1, false, 9, state);
  }
  const PixelSet ink = PixelsOf(normal, Rgb{0, 0, 0});
  ASSERT_FALSE(ink.empty());
  PixelSet expectedHighlight;
  for (auto [x, y] : ink) {
    if (!ink.count({x + 1, y + 1})) expectedHighlight.insert({x + 1, y + 1});
  }
  EXPECT_EQ(PixelsOf(disabled, kShadow), ink);
  EXPECT_EQ(PixelsOf(disabled, kHighlight), expectedHighlight);
  EXPECT_EQ(PixelsOf(disabled, kFace).size() + ink.size() + expectedHighlight.size(), 80u * 24u);
}

TEST_F(ButtonGlyphRenderTest, EmptyCaptionDrawsNothing) {
  QImage image = FaceImage(30, 20);
  {
    Canvas canvas(image);
    canvas.Font.font = CrispFont();
    TButtonGlyph glyph;
    const Rect bounds = glyph.RenderButton(canvas, Rect{0, 0, 30, 20}, {}, true, true, QString(), false,
                                           TAlignment::taCenter, TButtonLayout::blGlyphLeft, -1, -1, false, 9,
                                           ButtonState::Disabled);
    EXPECT_TRUE(bounds.IsEmpty());
  }
  EXPECT_EQ(PixelsOf(image, kFace).size(), 600u);
}

TEST_F(ButtonGlyphRenderTest, DropArrowIsAFiveByThreeTriangleAndEmbossedWhenDisabled) {
  auto arrow = [](ButtonState state) {
    QImage image = FaceImage(9, 5);
    {
      Canvas canvas(image);
      canvas.Font.color = RGBColor(0, 0, 0);
      TButtonGlyph glyph;
      glyph.RenderDropArrow(canvas, 0, 0, 9, state);
    }
    std::string art;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 9; ++x) {
        const Rgb c = PixelAt(image, x, y);
        art += c == kFace ? '.' : c == kShadow ? 'S' : c == kHighlight ? 'H' : c == Rgb{0, 0, 0} ? 'K' : '?';
      }
      art += '\n';
    }
    return art;
  };
  EXPECT_EQ(arrow(ButtonState::Up),
            "..KKKKK..\n"
            "...KKK...\n"
            "....K....\n"
            ".........\n"
            ".........\n");
  EXPECT_EQ(arrow(ButtonState::Disabled),
            "..SSSSS..\n"
            "...SSSHH.\n"
            "....SHH..\n"
            ".....H...\n"
            ".........\n");
}

TEST_F(ButtonGlyphRenderTest, GlyphIsDrawnWithItsMaskAtItsLayoutPosition) {
  Bitmap bitmap = Bitmap::Color(16, 16, test::kTeal);
  bitmap.SetPixel(3, 4, test::kRed);
  TButtonGlyph glyph;
  glyph.SetGlyph(bitmap);
  QImage image = FaceImage(23, 22);
  {
    Canvas canvas(image);
    glyph.RenderButton(canvas, Rect{1, 1, 22, 21}, Point{1, 1}, true, true, QString(), false,
                       TAlignment::taCenter, TButtonLayout::blGlyphLeft, -1, -1, false, 9, ButtonState::Hot);
  }
  // Centred in the 21 x 20 client at (1, 1): x 1 + (21 - 16 + 1) / 2, y 1 + (20 - 16 + 1) / 2,
  // then moved by the offset, so the glyph's origin is (5, 4).
  EXPECT_EQ(PixelsOf(image, test::kRed), (PixelSet{{5 + 3, 4 + 4}}));
  EXPECT_EQ(PixelsOf(image, kFace).size(), 23u * 22u - 1u);
  // Hot has no column of its own: it shares the Up image.
  EXPECT_EQ(glyph.StateImageIndex(true, ButtonState::Hot), -1);
  EXPECT_NE(glyph.StateImageIndex(true, ButtonState::Up), -1);
}

TEST_F(ButtonGlyphRenderTest, TooNarrowGlyphFailsOutOfRenderButton) {
  TButtonGlyph glyph;
  glyph.SetGlyph(Bitmap::Color(1, 16));
  glyph.SetNumGlyphs(2);
  QImage image = FaceImage(23, 22);
  Canvas canvas(image);
  try {
    glyph.RenderButton(canvas, Rect{0, 0, 23, 22}, {}, true, true, QStringLiteral("X"), false,
                       TAlignment::taCenter, TButtonLayout::blGlyphLeft, -1, -1, false, 9, ButtonState::Up);
    FAIL() << "no error";
  } catch (const EInvalidOperation& error) {
    EXPECT_STREQ(error.what(), "Ungültige Bildgröße");
  }
}

Bitmap GlyphWithDot(int size, int dot) {
  Bitmap bitmap = Bitmap::Color(size, size, test::kTeal);
  bitmap.SetPixel(dot, dot, test::kRed);
  return bitmap;
}

TEST_F(ButtonGlyphRenderTest, EqualGlyphsShareOneImageAndSizesShareOneList) {
  auto a = std::make_unique<TButtonGlyph>();
  auto b = std::make_unique<TButtonGlyph>();
  auto c = std::make_unique<TButtonGlyph>();
  a->SetGlyph(GlyphWithDot(16, 1));
  b->SetGlyph(GlyphWithDot(16, 1));
  c->SetGlyph(GlyphWithDot(16, 2));
  const PreparedImage pa = a->PrepareStateImage(ButtonState::Up);
  const PreparedImage pb = b->PrepareStateImage(ButtonState::Up);
  const PreparedImage pc = c->PrepareStateImage(ButtonState::Up);
  TGlyphList* list = a->GlyphList(true);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(b->GlyphList(true), list);
  EXPECT_EQ(c->GlyphList(true), list);
  EXPECT_EQ(pa.slot, pb.slot);
  EXPECT_NE(pa.slot, pc.slot);
  EXPECT_EQ(list->UsedCount(), 2);
  EXPECT_EQ(SharedGlyphCache()->Images().Users(list, pa.slot), 2);

  // The disabled images live in a second list with cells one pixel larger.
  a->PrepareStateImage(ButtonState::Disabled);
  EXPECT_EQ(a->GlyphList(false)->Width(), 17);
  EXPECT_EQ(SharedGlyphCache()->ListCount(), 2);

  // One user giving its image back leaves it to the other.
  a->DiscardImages();
  EXPECT_TRUE(list->IsSlotInUse(pb.slot));
  EXPECT_EQ(SharedGlyphCache()->Images().Users(list, pb.slot), 1);

  // A released slot is claimed again before the list grows.
  const int slotCount = list->SlotCount();
  c.reset();
  EXPECT_FALSE(list->IsSlotInUse(pc.slot));
  TButtonGlyph d;
  d.SetGlyph(GlyphWithDot(16, 3));
  EXPECT_EQ(d.PrepareStateImage(ButtonState::Up).slot, pc.slot);
  EXPECT_EQ(list->SlotCount(), slotCount);

  // Another size, another list.
  TButtonGlyph e;
  e.SetGlyph(GlyphWithDot(20, 3));
  e.PrepareStateImage(ButtonState::Up);
  EXPECT_NE(e.GlyphList(true), list);
}

TEST_F(ButtonGlyphRenderTest, SharedCacheLivesFromTheFirstRendererToTheLastImage) {
  ASSERT_EQ(SharedGlyphCache(), nullptr);
  {
    TButtonGlyph first;
    EXPECT_NE(SharedGlyphCache(), nullptr);
    {
      TButtonGlyph second;
      second.SetGlyph(GlyphWithDot(16, 1));
      second.PrepareStateImage(ButtonState::Up);
      first.SetGlyph(GlyphWithDot(16, 1));
      first.PrepareStateImage(ButtonState::Up);
    }
    // The second renderer is gone but the first still uses the shared image.
    ASSERT_NE(SharedGlyphCache(), nullptr);
    EXPECT_EQ(SharedGlyphCache()->ListCount(), 1);
    EXPECT_EQ(first.GlyphList(true)->UsedCount(), 1);
  }
  EXPECT_EQ(SharedGlyphCache(), nullptr);
  // The table of shared images went with the cache.
}

TEST_F(ButtonGlyphRenderTest, DifferentSystemColoursDoNotShareDisabledImages) {
  TButtonGlyph a, b;
  a.SetGlyph(GlyphWithDot(16, 1));
  b.SetGlyph(GlyphWithDot(16, 1));
  const PreparedImage pa = a.PrepareStateImage(ButtonState::Disabled);
  SetSysColorResolver([](SysColor color) {
    return color == SysColor::BtnShadow ? Rgb{1, 1, 1} : test::KnownSysColor(color);
  });
  const PreparedImage pb = b.PrepareStateImage(ButtonState::Disabled);
  EXPECT_NE(pa.slot, pb.slot);
}

}  // namespace
}  // namespace tilvaro
