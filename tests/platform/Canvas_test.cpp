// Pixel tests of the canvas: edges, frames, lines, polygons and text placement.
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <string>

#include "platform/KnownSysColors.h"

namespace tilvaro {
namespace {

using test::kDkShadow;
using test::kFace;
using test::kHighlight;
using test::kLight3D;
using test::kShadow;
using test::PixelAt;

constexpr Rgb kBack{1, 2, 3};

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(test::ToQRgb(kBack));
  return image;
}

// One character per pixel of a row, from a legend of colours.
std::string Row(const QImage& image, int y, int from, int to) {
  std::string row;
  for (int x = from; x < to; ++x) {
    const Rgb c = PixelAt(image, x, y);
    row += c == kBack ? '.' : c == kHighlight ? 'H' : c == kShadow ? 'S' : c == kLight3D ? 'L'
         : c == kDkShadow ? 'D' : c == kFace ? 'F' : '?';
  }
  return row;
}

std::string Column(const QImage& image, int x, int from, int to) {
  std::string column;
  for (int y = from; y < to; ++y) column += Row(image, y, x, x + 1);
  return column;
}

class CanvasTest : public ::testing::Test {
  test::KnownSysColorsScope colors_;
};

TEST_F(CanvasTest, FlatRaisedAndSunkenFramesAreOnePixelLines) {
  QImage raised = Blank(6, 5);
  QImage sunken = Blank(6, 5);
  {
    Canvas a(raised), b(sunken);
    Rect r{0, 0, 6, 5};
    a.DrawEdge(r, BDR_RAISEDINNER, BF_RECT);
    EXPECT_EQ(r, (Rect{0, 0, 6, 5}));  // no BF_ADJUST: the rectangle stays
    b.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
  }
  // Top-left colour on the top row and left column except their last pixels.
  EXPECT_EQ(Row(raised, 0, 0, 6), "HHHHHS");
  EXPECT_EQ(Row(raised, 2, 0, 6), "H....S");
  EXPECT_EQ(Row(raised, 4, 0, 6), "SSSSSS");
  EXPECT_EQ(Column(raised, 0, 0, 5), "HHHHS");
  EXPECT_EQ(Row(sunken, 0, 0, 6), "SSSSSH");
  EXPECT_EQ(Row(sunken, 4, 0, 6), "HHHHHH");
  EXPECT_EQ(Column(sunken, 0, 0, 5), "SSSSH");
}

TEST_F(CanvasTest, SoftButtonEdgesWithMiddle) {
  QImage raised = Blank(6, 6);
  QImage sunken = Blank(6, 6);
  {
    Canvas a(raised), b(sunken);
    Rect r{0, 0, 6, 6};
    a.DrawEdge(r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
    Rect s{0, 0, 6, 6};
    b.DrawEdge(s, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_SOFT);
  }
  EXPECT_EQ(Row(raised, 0, 0, 6), "HHHHHD");
  EXPECT_EQ(Row(raised, 1, 0, 6), "HLLLSD");
  EXPECT_EQ(Row(raised, 2, 0, 6), "HLFFSD");
  EXPECT_EQ(Row(raised, 4, 0, 6), "HSSSSD");
  EXPECT_EQ(Row(raised, 5, 0, 6), "DDDDDD");
  EXPECT_EQ(Row(sunken, 0, 0, 6), "DDDDDH");
  EXPECT_EQ(Row(sunken, 1, 0, 6), "DSSSLH");
  EXPECT_EQ(Row(sunken, 3, 0, 6), "DSFFLH");
  EXPECT_EQ(Row(sunken, 4, 0, 6), "DLLLLH");
  EXPECT_EQ(Row(sunken, 5, 0, 6), "HHHHHH");
}

TEST_F(CanvasTest, NormalRaisedEdgeUsesThe3DLightOutside) {
  QImage image = Blank(5, 5);
  {
    Canvas canvas(image);
    Rect r{0, 0, 5, 5};
    canvas.DrawEdge(r, EDGE_RAISED, BF_RECT);
  }
  EXPECT_EQ(Row(image, 0, 0, 5), "LLLLD");
  EXPECT_EQ(Row(image, 1, 0, 5), "LHHSD");
  EXPECT_EQ(Row(image, 2, 0, 5), "LH.SD");  // no BF_MIDDLE: the interior is left alone
}

TEST_F(CanvasTest, AdjustShrinksByTheEdgeThicknessOnTheGivenSides) {
  QImage image = Blank(8, 8);
  Canvas canvas(image);
  Rect r{0, 0, 8, 8};
  canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r, (Rect{1, 1, 7, 7}));
  canvas.DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r, (Rect{3, 3, 5, 5}));
  Rect partial{0, 0, 8, 8};
  canvas.DrawEdge(partial, BDR_SUNKENINNER, BF_BOTTOMRIGHT | BF_ADJUST);
  EXPECT_EQ(partial, (Rect{0, 0, 7, 7}));
}

TEST_F(CanvasTest, FlatEditSunkenFrameAsTheEditDrawsIt) {
  QImage image = Blank(6, 6);
  {
    Canvas canvas(image);
    Rect r{0, 0, 6, 6};
    canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    canvas.DrawEdge(r, BDR_SUNKENINNER, BF_BOTTOMRIGHT);
  }
  EXPECT_EQ(Row(image, 0, 0, 6), "SSSSSH");
  EXPECT_EQ(Row(image, 1, 0, 6), "S...LH");
  EXPECT_EQ(Row(image, 4, 0, 6), "SLLLLH");
}

TEST_F(CanvasTest, FillAndFrameUseTheBrushWithExclusiveRightAndBottom) {
  QImage image = Blank(6, 5);
  {
    Canvas canvas(image);
    canvas.Brush.color = SysColorValue(SysColor::BtnFace);
    canvas.FillRect(Rect{1, 1, 3, 3});
    canvas.Brush.color = SysColorValue(SysColor::BtnShadow);
    canvas.FrameRect(Rect{3, 0, 6, 5});
    canvas.Brush.style = BrushStyle::Clear;
    canvas.FillRect(Rect{0, 0, 6, 5});  // a clear brush paints nothing
  }
  EXPECT_EQ(Row(image, 0, 0, 6), "...SSS");
  EXPECT_EQ(Row(image, 1, 0, 6), ".FFS.S");
  EXPECT_EQ(Row(image, 2, 0, 6), ".FFS.S");
  EXPECT_EQ(Row(image, 3, 0, 6), "...S.S");
  EXPECT_EQ(Row(image, 4, 0, 6), "...SSS");
}

TEST_F(CanvasTest, PatternBrushIsTiledFromTheCanvasOrigin) {
  QImage pattern(2, 1, QImage::Format_RGB32);
  pattern.setPixel(0, 0, test::ToQRgb(kHighlight));
  pattern.setPixel(1, 0, test::ToQRgb(kFace));
  QImage image = Blank(5, 1);
  {
    Canvas canvas(image);
    canvas.Brush.style = BrushStyle::Pattern;
    canvas.Brush.pattern = pattern;
    canvas.FillRect(Rect{1, 0, 5, 1});
  }
  EXPECT_EQ(Row(image, 0, 0, 5), ".FHFH");
}

TEST_F(CanvasTest, PolylineLeavesOutItsLastPoint) {
  // The hint window's frame: light over the left and top, dark over the bottom and right.
  QImage image = Blank(5, 4);
  {
    Canvas canvas(image);
    canvas.Pen.color = SysColorValue(SysColor::Light3D);
    canvas.Polyline({{0, 2}, {0, 0}, {4, 0}});
    canvas.Pen.color = SysColorValue(SysColor::DkShadow3D);
    canvas.Polyline({{0, 3}, {4, 3}, {4, -1}});
  }
  EXPECT_EQ(Row(image, 0, 0, 5), "LLLLD");
  EXPECT_EQ(Row(image, 2, 0, 5), "L...D");
  EXPECT_EQ(Row(image, 3, 0, 5), "DDDDD");
}

TEST_F(CanvasTest, SlantedPolylineSteps) {
  QImage image = Blank(4, 4);
  {
    Canvas canvas(image);
    canvas.Pen.color = SysColorValue(SysColor::BtnShadow);
    canvas.Polyline({{0, 0}, {3, 3}});
  }
  EXPECT_EQ(Row(image, 0, 0, 4), "S...");
  EXPECT_EQ(Row(image, 2, 0, 4), "..S.");
  EXPECT_EQ(Row(image, 3, 0, 4), "....");
}

TEST_F(CanvasTest, PolygonIncludesItsVertices) {
  QImage image = Blank(7, 4);
  {
    Canvas canvas(image);
    canvas.Pen.color = canvas.Brush.color = SysColorValue(SysColor::BtnShadow);
    canvas.Polygon({{1, 0}, {5, 0}, {3, 2}});
  }
  EXPECT_EQ(Row(image, 0, 0, 7), ".SSSSS.");
  EXPECT_EQ(Row(image, 1, 0, 7), "..SSS..");
  EXPECT_EQ(Row(image, 2, 0, 7), "...S...");
  EXPECT_EQ(Row(image, 3, 0, 7), ".......");
}

// --- text ---------------------------------------------------------------------------------------

QFont TestFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  return font;
}

// Bounding box of the pixels that differ from the background, or an empty rect.
Rect InkBounds(const QImage& image) {
  Rect ink{image.width(), image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (PixelAt(image, x, y) == kBack) continue;
      ink.left = std::min(ink.left, x);
      ink.top = std::min(ink.top, y);
      ink.right = std::max(ink.right, x + 1);
      ink.bottom = std::max(ink.bottom, y + 1);
    }
  }
  return ink.IsEmpty() ? Rect{} : ink;
}

TEST_F(CanvasTest, CalcRectMeasuresWithoutPrefixesOneLineHeightPerLine) {
  QImage image = Blank(10, 10);
  Canvas canvas(image);
  canvas.Font.font = TestFont();
  const QFontMetrics metrics(TestFont(), &image);

  Rect r{5, 7, 200, 7};
  EXPECT_EQ(canvas.DrawText(QStringLiteral("&OK"), r, DT_CALCRECT), metrics.height());
  EXPECT_EQ(r, (Rect{5, 7, 5 + metrics.horizontalAdvance(QStringLiteral("OK")), 7 + metrics.height()}));

  Rect amp{0, 0, 200, 0};
  canvas.DrawText(QStringLiteral("a&&b"), amp, DT_CALCRECT);
  EXPECT_EQ(amp.right, metrics.horizontalAdvance(QStringLiteral("a&b")));
  Rect raw{0, 0, 200, 0};
  canvas.DrawText(QStringLiteral("a&&b"), raw, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(raw.right, metrics.horizontalAdvance(QStringLiteral("a&&b")));

  Rect lines{0, 0, 200, 0};
  canvas.DrawText(QStringLiteral("Neu\r\nÖffnen\nX"), lines, DT_CALCRECT);
  EXPECT_EQ(lines.bottom, 3 * metrics.height());
  EXPECT_EQ(lines.right, metrics.horizontalAdvance(QStringLiteral("Öffnen")));
  Rect single{0, 0, 200, 0};
  canvas.DrawText(QStringLiteral("Neu\nX"), single, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(single.bottom, metrics.height());
  EXPECT_EQ(single.right, metrics.horizontalAdvance(QStringLiteral("NeuX")));

  Rect empty{3, 4, 50, 60};
  EXPECT_EQ(canvas.DrawText(QString(), empty, DT_CALCRECT), 0);
  EXPECT_EQ(empty, (Rect{3, 4, 3, 4}));
}

TEST_F(CanvasTest, WordBreakFillsLinesUpToTheWidthAndKeepsLongWordsWhole) {
  QImage image = Blank(10, 10);
  Canvas canvas(image);
  canvas.Font.font = TestFont();
  const QFontMetrics metrics(TestFont(), &image);
  const int width = metrics.horizontalAdvance(QStringLiteral("Layout speichern"));

  Rect r{0, 0, width, 0};
  canvas.DrawText(QStringLiteral("Layout speichern unter"), r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(r.bottom, 2 * metrics.height());
  EXPECT_EQ(r.right, width);

  Rect narrow{0, 0, 5, 0};
  canvas.DrawText(QStringLiteral("Ebene eins"), narrow, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(narrow.bottom, 2 * metrics.height());
  EXPECT_EQ(narrow.right, metrics.horizontalAdvance(QStringLiteral("Ebene")));
}

TEST_F(CanvasTest, DrawnTextStaysInsideTheMeasuredRectangle) {
  QImage image = Blank(120, 40);
  Rect measured{10, 5, 110, 5};
  {
    Canvas canvas(image);
    canvas.Font.font = TestFont();
    canvas.Font.color = RGBColor(0, 0, 0);
    canvas.Brush.style = BrushStyle::Clear;
    canvas.DrawText(QStringLiteral("Abbruch"), measured, DT_CALCRECT);
    Rect drawn = measured;
    canvas.DrawText(QStringLiteral("Abbruch"), drawn, DT_LEFT);
  }
  const Rect ink = InkBounds(image);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.left, measured.left);
  EXPECT_LE(ink.right, measured.right);
  EXPECT_GE(ink.top, measured.top);
  EXPECT_LE(ink.bottom, measured.bottom);
}

TEST_F(CanvasTest, SingleLineVerticalCentreAndHorizontalAlignment) {
  const QString text = QStringLiteral("OK");
  auto inkOf = [&](unsigned flags) {
    QImage image = Blank(100, 60);
    {
      Canvas canvas(image);
      canvas.Font.font = TestFont();
      canvas.Brush.style = BrushStyle::Clear;
      Rect r{0, 0, 100, 60};
      canvas.DrawText(text, r, flags);
    }
    return InkBounds(image);
  };
  QImage probe = Blank(1, 1);
  const QFontMetrics metrics(TestFont(), &probe);
  const int width = metrics.horizontalAdvance(text);
  const Rect top = inkOf(DT_SINGLELINE);
  const Rect centred = inkOf(DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  const Rect right = inkOf(DT_SINGLELINE | DT_RIGHT);
  EXPECT_EQ(centred.top - top.top, (60 - metrics.height()) / 2);
  EXPECT_EQ(centred.left - top.left, (100 - width) / 2);
  EXPECT_EQ(right.left - top.left, 100 - width);
  // DT_VCENTER only centres a single line.
  EXPECT_EQ(inkOf(DT_VCENTER).top, top.top);
}

TEST_F(CanvasTest, PrefixedCharacterIsUnderlinedAndTextIsClipped) {
  QImage underlined = Blank(60, 30);
  QImage plain = Blank(60, 30);
  QImage clipped = Blank(60, 30);
  {
    Canvas a(underlined), b(plain), c(clipped);
    for (Canvas* canvas : {&a, &b, &c}) {
      canvas->Font.font = TestFont();
      canvas->Brush.style = BrushStyle::Clear;
    }
    Rect r{0, 0, 60, 30};
    a.DrawText(QStringLiteral("&OK"), r, DT_LEFT);
    b.DrawText(QStringLiteral("OK"), r, DT_LEFT);
    Rect small{0, 0, 4, 30};
    c.DrawText(QStringLiteral("OK"), small, DT_LEFT);
  }
  const QFontMetrics metrics(TestFont(), &underlined);
  const int oWidth = metrics.horizontalAdvance(QStringLiteral("O"));
  // The two differ only in the underline: below the baseline, under the O and not under the K.
  int changedUnderO = 0, changedElsewhere = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 60; ++x) {
      if (underlined.pixel(x, y) == plain.pixel(x, y)) continue;
      if (x < oWidth && y >= metrics.ascent()) ++changedUnderO; else ++changedElsewhere;
    }
  }
  EXPECT_GE(changedUnderO, oWidth / 2);
  EXPECT_EQ(changedElsewhere, 0);
  EXPECT_LE(InkBounds(clipped).right, 4);
}

TEST_F(CanvasTest, SolidBrushFillsBehindTheLine) {
  QImage image = Blank(80, 30);
  {
    Canvas canvas(image);
    canvas.Font.font = TestFont();
    canvas.Brush.color = SysColorValue(SysColor::BtnFace);
    Rect r{0, 0, 80, 30};
    canvas.DrawText(QStringLiteral("iiii"), r, DT_LEFT);
  }
  EXPECT_EQ(PixelAt(image, 0, 0), kFace);
  EXPECT_EQ(PixelAt(image, 79, 0), kBack);
}

TEST_F(CanvasTest, DrawImageHonoursAlpha) {
  QImage source(2, 1, QImage::Format_ARGB32_Premultiplied);
  source.setPixel(0, 0, qRgba(0, 0, 0, 0));
  source.setPixel(1, 0, test::ToQRgb(kShadow));
  QImage image = Blank(3, 1);
  {
    Canvas canvas(image);
    canvas.DrawImage(1, 0, source);
  }
  EXPECT_EQ(Row(image, 0, 0, 3), "..S");
}

}  // namespace
}  // namespace tilvaro
