// The toolbar button's face as its glyph renderer draws it: frames from the system colours,
// glyph and caption placed by the renderer, embossed disabled glyphs.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "glyphs/ButtonGlyph.h"
#include "button/ToolbarButton97.h"
#include "platform/KnownSysColors.h"

namespace tilvaro {
namespace {

using test::kDkShadow;
using test::kFace;
using test::kHighlight;
using test::kLight3D;
using test::kShadow;
using test::PixelAt;

constexpr Rgb kRed{255, 0, 0};

// A 16 x 16 glyph: teal (transparent) with one red pixel at (3, 4).
QImage DotGlyph() {
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(qRgb(0, 128, 128));
  glyph.setPixel(3, 4, qRgb(255, 0, 0));
  return glyph;
}

class ToolbarButtonFaceTest : public ::testing::Test {
 protected:
  ToolbarButtonFaceTest() {
    button_.resize(70, 55);
    QPalette palette = button_.palette();
    palette.setColor(QPalette::Button, test::ToQRgb(kFace));
    button_.setPalette(palette);
    button_.SetGlyph(DotGlyph());
    button_.SetLayout(TButtonLayout::blGlyphTop);
  }

  QImage Face() {
    QImage image(button_.size(), QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    QPainter painter(&image);
    button_.Paint(painter);
    return image;
  }

  test::KnownSysColorsScope colors_;
  TToolbarButton97 button_;
};

TEST_F(ToolbarButtonFaceTest, IdleFlatButtonShowsGlyphWithoutFrame) {
  const QImage face = Face();
  // Client 68 x 53 at (1, 1); glyph centred across, margin (53 - 16 - 0 + 1) / 2 without caption.
  const int x = 1 + (68 - 16 + 1) / 2;
  const int y = 1 + (53 - 16 + 1) / 2;
  EXPECT_EQ(PixelAt(face, x + 3, y + 4), kRed);
  EXPECT_EQ(PixelAt(face, 0, 0), kFace);
  EXPECT_EQ(PixelAt(face, 69, 54), kFace);
  EXPECT_EQ(PixelAt(face, x, y), kFace) << "the glyph's teal is transparent";
}

TEST_F(ToolbarButtonFaceTest, DisabledGlyphIsEmbossed) {
  button_.setEnabled(false);
  const QImage face = Face();
  const int x = 1 + (68 - 16 + 1) / 2;
  const int y = 1 + (53 - 16 + 1) / 2;
  EXPECT_EQ(PixelAt(face, x + 3, y + 4), kShadow);
  EXPECT_EQ(PixelAt(face, x + 4, y + 5), kHighlight);
}

TEST_F(ToolbarButtonFaceTest, NonFlatButtonHasTheSoftRaisedFrame) {
  button_.SetFlat(false);
  const QImage face = Face();
  EXPECT_EQ(PixelAt(face, 0, 0), kHighlight);
  EXPECT_EQ(PixelAt(face, 1, 1), kLight3D);
  EXPECT_EQ(PixelAt(face, 69, 54), kDkShadow);
  EXPECT_EQ(PixelAt(face, 68, 53), kShadow);
  EXPECT_EQ(PixelAt(face, 2, 2), kFace);
}

TEST_F(ToolbarButtonFaceTest, CaptionBelowTheGlyphAsTheEditorLaysItOut) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  button_.setFont(font);
  button_.SetCaption(QStringLiteral("Neu"));
  const QImage face = Face();
  // A caption moves the glyph up: margin = (53 - (16 + 4 + text height) + 1) / 2.
  const int textHeight = QFontMetrics(font, &face).height();
  const int x = 1 + (68 - 16 + 1) / 2;
  const int y = 1 + (53 - (16 + 4 + textHeight) + 1) / 2;
  EXPECT_EQ(PixelAt(face, x + 3, y + 4), kRed);
  EXPECT_EQ(button_.NumGlyphs(), 1);
}

TEST_F(ToolbarButtonFaceTest, TwoImageStripUsesItsOwnDisabledColumn) {
  QImage strip(36, 18, QImage::Format_RGB32);
  strip.fill(qRgb(255, 0, 255));
  strip.setPixel(2, 2, qRgb(0, 100, 0));
  strip.setPixel(18 + 2, 2, qRgb(128, 128, 128));
  strip.setPixel(18 + 3, 2, qRgb(255, 255, 255));
  button_.SetGlyph(strip);
  EXPECT_EQ(button_.NumGlyphs(), 2);
  button_.setEnabled(false);
  const QImage face = Face();
  const int x = 1 + (68 - 18 + 1) / 2;
  const int y = 1 + (53 - 18 + 1) / 2;
  EXPECT_EQ(PixelAt(face, x + 2, y + 2), kShadow);
  EXPECT_EQ(PixelAt(face, x + 3, y + 2), kHighlight);
}

}  // namespace
}  // namespace tilvaro
