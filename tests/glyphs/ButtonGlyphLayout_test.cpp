// Placement of glyph, caption and arrow on a button face.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include "glyphs/ButtonGlyph.h"
#include "glyphs/ImageList.h"
#include "platform/Canvas.h"
#include "platform/KnownSysColors.h"

namespace tilvaro {
namespace {

class ButtonGlyphLayoutTest : public ::testing::Test {
 protected:
  ButtonGlyphLayoutTest() : image_(100, 100, QImage::Format_RGB32), canvas_(image_) {
    // A font whose lines are 13 pixels high, like the editor's.
    for (int size = 8; size < 20; ++size) {
      QFont font(QStringLiteral("DejaVu Sans"));
      font.setPixelSize(size);
      if (QFontMetrics(font, &image_).height() == 13) {
        canvas_.Font.font = font;
        found_ = true;
        break;
      }
    }
  }
  void SetUp() override { ASSERT_TRUE(found_); }

  int TextWidth(const QString& text) const {
    return QFontMetrics(canvas_.Font.font, &image_).horizontalAdvance(text);
  }

  ButtonLayoutResult Layout(const Rect& client, const QString& caption, TButtonLayout layout, int margin,
                            int spacing, Point offset = {}, bool dropArrow = false, bool wordWrap = false) {
    return glyph_.ComputeLayout(canvas_, client, offset, true, true, caption, wordWrap, layout, margin,
                                spacing, dropArrow, 9);
  }

  test::KnownSysColorsScope colors_;
  QImage image_;
  Canvas canvas_;
  bool found_ = false;
  TButtonGlyph glyph_;
};

TEST_F(ButtonGlyphLayoutTest, EditorsSeventyByFiftyFiveButtonsWithGlyphOnTop) {
  glyph_.SetGlyph(Bitmap::Color(16, 16));
  // The 70 x 55 button less its one-pixel flat border.
  const Rect client{1, 1, 69, 54};
  const ButtonLayoutResult placed = Layout(client, QStringLiteral("Öffnen"), TButtonLayout::blGlyphTop, -1, 4);
  EXPECT_EQ(placed.GlyphPos.y, 1 + 10);
  EXPECT_EQ(placed.TextBounds.top, 1 + 30);
  EXPECT_EQ(placed.TextBounds.bottom - placed.TextBounds.top, 13);
  EXPECT_EQ(placed.GlyphPos.x, 1 + (68 - 16 + 1) / 2);
  const int textWidth = TextWidth(QStringLiteral("Öffnen"));
  EXPECT_EQ(placed.TextBounds.left, 1 + (68 - textWidth + 1) / 2);
  EXPECT_EQ(placed.TextBounds.right - placed.TextBounds.left, textWidth);
}

TEST_F(ButtonGlyphLayoutTest, AutomaticMarginAndSpacingSplitTheFreeWidthInThree) {
  glyph_.SetGlyph(Bitmap::Color(16, 16));
  const QString caption = QStringLiteral("Abbruch");
  const int textWidth = TextWidth(caption);
  const ButtonLayoutResult placed = Layout(Rect{0, 0, 100, 30}, caption, TButtonLayout::blGlyphLeft, -1, -1);
  const int third = (100 - 16 - textWidth) / 3;
  EXPECT_EQ(placed.GlyphPos.x, third);
  EXPECT_EQ(placed.TextBounds.left, third + 16 + third);
  EXPECT_EQ(placed.GlyphPos.y, (30 - 16 + 1) / 2);
  EXPECT_EQ(placed.TextBounds.top, (30 - 13 + 1) / 2);
}

TEST_F(ButtonGlyphLayoutTest, GivenMarginSplitsTheRestAroundTheCaption) {
  glyph_.SetGlyph(Bitmap::Color(16, 16));
  const QString caption = QStringLiteral("OK");
  const int textWidth = TextWidth(caption);
  const ButtonLayoutResult placed = Layout(Rect{0, 0, 90, 30}, caption, TButtonLayout::blGlyphLeft, 5, -1);
  EXPECT_EQ(placed.GlyphPos.x, 5);
  EXPECT_EQ(placed.TextBounds.left, 5 + 16 + (90 - 21 - textWidth) / 2);
  // Given spacing and automatic margin centre the group; odd remainders round up the margin.
  const ButtonLayoutResult centred = Layout(Rect{0, 0, 90, 30}, caption, TButtonLayout::blGlyphLeft, -1, 3);
  EXPECT_EQ(centred.GlyphPos.x, (90 - (16 + 3 + textWidth) + 1) / 2);
  EXPECT_EQ(centred.TextBounds.left, centred.GlyphPos.x + 19);
}

TEST_F(ButtonGlyphLayoutTest, GlyphRightPutsTheArrowAtTheEdgeThenGlyphThenCaption) {
  glyph_.SetGlyph(Bitmap::Color(16, 16));
  const QString caption = QStringLiteral("Neu");
  const int textWidth = TextWidth(caption);
  const ButtonLayoutResult placed =
      Layout(Rect{0, 0, 100, 30}, caption, TButtonLayout::blGlyphRight, 4, 2, Point{}, true);
  EXPECT_EQ(placed.ArrowPos.x, 100 - 4 - 9 + 1);
  EXPECT_EQ(placed.GlyphPos.x, 100 - 4 - 9 - 16);
  EXPECT_EQ(placed.TextBounds.left, placed.GlyphPos.x - 2 - textWidth);
  EXPECT_EQ(placed.ArrowPos.y, placed.GlyphPos.y + (16 - 3) / 2);
}

TEST_F(ButtonGlyphLayoutTest, GlyphBottomAndTheArrowRightOfTheGlyph) {
  glyph_.SetGlyph(Bitmap::Color(16, 16));
  const ButtonLayoutResult placed =
      Layout(Rect{0, 0, 60, 50}, QStringLiteral("X"), TButtonLayout::blGlyphBottom, 3, 2, Point{}, true);
  EXPECT_EQ(placed.GlyphPos.y, 50 - 3 - 16);
  EXPECT_EQ(placed.TextBounds.top, placed.GlyphPos.y - 2 - 13);
  EXPECT_EQ(placed.GlyphPos.x, (60 - 16 - 9 + 1) / 2);
  EXPECT_EQ(placed.ArrowPos.x, placed.GlyphPos.x + 16 + 1);
}

TEST_F(ButtonGlyphLayoutTest, OffsetMovesEveryPartOnePixel) {
  glyph_.SetGlyph(Bitmap::Color(16, 16));
  const Rect client{2, 3, 80, 40};
  const ButtonLayoutResult still = Layout(client, QStringLiteral("OK"), TButtonLayout::blGlyphLeft, -1, 4, {}, true);
  const ButtonLayoutResult pushed =
      Layout(client, QStringLiteral("OK"), TButtonLayout::blGlyphLeft, -1, 4, Point{1, 1}, true);
  EXPECT_EQ(pushed.GlyphPos, (Point{still.GlyphPos.x + 1, still.GlyphPos.y + 1}));
  EXPECT_EQ(pushed.ArrowPos, (Point{still.ArrowPos.x + 1, still.ArrowPos.y + 1}));
  EXPECT_EQ(pushed.TextBounds, still.TextBounds.Offset(1, 1));
}

TEST_F(ButtonGlyphLayoutTest, GlyphOnlyIsCentredOnBothAxes) {
  glyph_.SetGlyph(Bitmap::Color(16, 16));
  const ButtonLayoutResult placed = Layout(Rect{0, 0, 23, 22}, QString(), TButtonLayout::blGlyphLeft, -1, -1);
  EXPECT_EQ(placed.GlyphPos, (Point{(23 - 16 + 1) / 2, (22 - 16 + 1) / 2}));
  // The caption's rectangle is empty, at the text position.
  EXPECT_EQ(placed.TextBounds.right - placed.TextBounds.left, 0);
  EXPECT_EQ(placed.TextBounds.bottom - placed.TextBounds.top, 0);
  EXPECT_EQ(placed.TextBounds.left, placed.GlyphPos.x + 16);
}

TEST_F(ButtonGlyphLayoutTest, GlyphTopWithoutAGlyphLaysOutInARow) {
  const QString caption = QStringLiteral("Ebene");
  const ButtonLayoutResult top = Layout(Rect{0, 0, 70, 55}, caption, TButtonLayout::blGlyphTop, -1, 4);
  const ButtonLayoutResult left = Layout(Rect{0, 0, 70, 55}, caption, TButtonLayout::blGlyphLeft, -1, 4);
  EXPECT_EQ(top.TextBounds, left.TextBounds);
  EXPECT_EQ(top.TextBounds.top, (55 - 13 + 1) / 2);
  EXPECT_EQ(top.TextBounds.left, (70 - TextWidth(caption) + 1) / 2);

  glyph_.SetGlyph(Bitmap::Color(16, 16));
  const ButtonLayoutResult hidden =
      glyph_.ComputeLayout(canvas_, Rect{0, 0, 70, 55}, {}, false, true, caption, false,
                           TButtonLayout::blGlyphTop, -1, 4, false, 0);
  EXPECT_EQ(hidden.TextBounds, left.TextBounds);
}

TEST_F(ButtonGlyphLayoutTest, AcceleratorPrefixIsNotMeasured) {
  const ButtonLayoutResult placed = Layout(Rect{0, 0, 70, 30}, QStringLiteral("&OK"), TButtonLayout::blGlyphLeft, 0, 0);
  EXPECT_EQ(placed.TextBounds.right - placed.TextBounds.left, TextWidth(QStringLiteral("OK")));
}

TEST_F(ButtonGlyphLayoutTest, LineBreakWithoutWordWrapMeasuresSeveralLines) {
  const ButtonLayoutResult placed = Layout(Rect{0, 0, 70, 60}, QStringLiteral("A\nB"), TButtonLayout::blGlyphLeft, -1, -1);
  EXPECT_EQ(placed.TextBounds.bottom - placed.TextBounds.top, 26);
  EXPECT_EQ(placed.TextBounds.top, (60 - 26 + 1) / 2);
}

TEST_F(ButtonGlyphLayoutTest, WordWrapNarrowsTheWidthByGlyphSpacingAndMargins) {
  glyph_.SetGlyph(Bitmap::Color(16, 16));
  // Room for the caption: 100 - (16 + 4) - 2 * 4 = 72 pixels.
  const int word = TextWidth(QStringLiteral("Wort"));
  const int space = TextWidth(QStringLiteral(" "));
  const int perLine = std::max(1, 72 / (word + space));
  QString caption;
  for (int i = 0; i < perLine + 1; ++i) caption += (i ? QStringLiteral(" ") : QString()) + QStringLiteral("Wort");
  const ButtonLayoutResult wrapped =
      Layout(Rect{0, 0, 100, 60}, caption, TButtonLayout::blGlyphLeft, -1, -1, {}, false, true);
  EXPECT_EQ(wrapped.TextBounds.bottom - wrapped.TextBounds.top, 26);
  EXPECT_LE(wrapped.TextBounds.right - wrapped.TextBounds.left, 72);
}

TEST_F(ButtonGlyphLayoutTest, ImageListCellIsReservedEvenWithoutAValidIndex) {
  TImageList list(20, 20);
  glyph_.LinkImages(&list);
  const ButtonLayoutResult placed = Layout(Rect{0, 0, 23, 22}, QString(), TButtonLayout::blGlyphLeft, -1, -1);
  EXPECT_EQ(placed.GlyphPos, (Point{(23 - 20 + 1) / 2, (22 - 20 + 1) / 2}));
  EXPECT_EQ(glyph_.PrepareStateImage(ButtonState::Up).slot, -1);
}

}  // namespace
}  // namespace tilvaro
