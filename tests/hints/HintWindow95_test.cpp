// The office-style hint window: its painting in the three looks and its place on the screen, with
// the pointer, its image and the screen put in by the test.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QObject>
#include <tuple>

#include "hints/Hint95.h"
#include "hints/HintPlacement.h"
#include "hints/HintWindow95.h"
#include "platform/KnownSysColors.h"

namespace tilvaro {
namespace {

using test::PixelAt;

constexpr Rgb kInfoBk{255, 255, 225};
constexpr Rgb kFrame{40, 50, 60};
constexpr Rgb kLight{220, 221, 222};
constexpr Rgb kDark{10, 11, 12};

Rgb HintColours(SysColor color) {
  switch (color) {
    case SysColor::InfoBk: return kInfoBk;
    case SysColor::InfoText: return Rgb{1, 2, 3};
    case SysColor::WindowFrame: return kFrame;
    case SysColor::Light3D: return kLight;
    case SysColor::DkShadow3D: return kDark;
    default: return DefaultSysColor(color);
  }
}

THint95::FontSource DejaVu() {
  THint95::FontSource fonts;
  fonts.statusFont = [] {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
  };
  fonts.isInstalled = [](const QString&) { return false; };
  fonts.dotsPerInch = [] { return 96.0; };
  return fonts;
}

// An arrow-like image: 24 x 24, hot spot (4, 4), lowest drawn row 22.
CursorImage Arrow() {
  CursorImage image{24, 24, QPoint(4, 4), std::vector<std::uint8_t>(24 * 24, 0), {}};
  for (int y = 4; y <= 22; ++y) image.drawn[static_cast<std::size_t>(y) * 24 + 4] = 1;
  return image;
}

THintWindow95::Environment At(QPoint pointer, std::optional<CursorImage> cursor) {
  THintWindow95::Environment environment;
  environment.pointer = [pointer] { return pointer; };
  environment.cursorImage = [cursor] { return cursor; };
  environment.screenAt = [](QPoint) { return QRect(0, 0, 1024, 768); };
  return environment;
}

class HintWindow95Test : public ::testing::Test {
 protected:
  HintWindow95Test() {
    SetSysColorResolver(HintColours);
    THint95Shared::Get().LastHintControl = nullptr;
    THint95Shared::Get().LastHintMaxWidth = 1024;
  }
  ~HintWindow95Test() override { SetSysColorResolver({}); }

  QRect Show(const QString& text, QPoint pointer, std::optional<CursorImage> cursor = Arrow()) {
    window = std::make_unique<THintWindow95>(At(pointer, cursor));
    window->PlaceAndShow(Rect::FromSize(pointer.x(), pointer.y(), 0, 0), text);
    return window->geometry();
  }
  QImage Painted() {
    QImage image(window->size(), QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    Canvas canvas(image);
    window->PaintHint(canvas);
    return image;
  }

  QObject owner;
  THint95 hints{&owner, DejaVu()};
  std::unique_ptr<THintWindow95> window;
};

TEST_F(HintWindow95Test, PaintsTheTextCentredInTheFrameOfEachLook) {
  struct Case {
    THintStyle style;
    int extraWidth, extraHeight;
    Rgb topLeft, bottomRight;
  };
  for (const Case& c : {Case{THintStyle::hsFlat, 6, 4, kFrame, kFrame},
                        Case{THintStyle::hsOffice97, 6, 6, kLight, kDark},
                        Case{THintStyle::hsWindows95, 8, 4, kLight, kDark}}) {
    SCOPED_TRACE(static_cast<int>(c.style));
    hints.SetHintStyle(c.style);
    const QString text = QStringLiteral("Neu & Layout");  // the ampersand is printed as itself
    const QRect placed = Show(text, QPoint(100, 100));
    const QFontMetrics metrics(hints.HintFont().font);
    EXPECT_EQ(window->HintTextWidth, metrics.horizontalAdvance(text));
    EXPECT_EQ(window->HintTextHeight, metrics.height());
    EXPECT_EQ(placed.size(), QSize(window->HintTextWidth + c.extraWidth, window->HintTextHeight + c.extraHeight));

    const QImage image = Painted();
    const int w = image.width(), h = image.height();
    // The light polyline leaves out the left column's lowest and the top row's rightmost pixel.
    const std::tuple<int, int, Rgb> pixels[] = {{0, 0, c.topLeft},         {0, h - 2, c.topLeft},
                                                {w - 2, 0, c.topLeft},     {0, h - 1, c.bottomRight},
                                                {w - 1, 0, c.bottomRight}, {w - 1, h - 1, c.bottomRight},
                                                {1, 1, kInfoBk}};
    for (const auto& [x, y, colour] : pixels) EXPECT_EQ(PixelAt(image, x, y), colour) << x << "," << y;

    // Every pixel of the text lies in the centred text rectangle.
    const int left = (w - window->HintTextWidth) / 2, top = (h - window->HintTextHeight) / 2;
    int inked = 0;
    for (int y = 1; y < h - 1; ++y) {
      for (int x = 1; x < w - 1; ++x) {
        if (PixelAt(image, x, y) == kInfoBk) continue;
        ++inked;
        EXPECT_TRUE(x >= left && x < left + window->HintTextWidth && y >= top &&
                    y < top + window->HintTextHeight)
            << x << "," << y;
      }
    }
    EXPECT_GT(inked, 20);
  }
}

TEST_F(HintWindow95Test, SitsBelowThePointerImageAndStaysOnTheScreen) {
  hints.SetHintStyle(THintStyle::hsOffice97);
  const QString text = QStringLiteral("Neues Layout");
  // On the row of the image's lowest pixel; where no image can be read, the classic arrow's.
  const QRect placed = Show(text, QPoint(200, 300));
  EXPECT_EQ(placed.topLeft(), QPoint(200, 318));
  EXPECT_EQ(Show(text, QPoint(200, 300), std::nullopt).topLeft(), QPoint(200, 318));
  // At the right and bottom edges it stays on the screen, at the bottom 2 pixels above the hot spot.
  EXPECT_EQ(Show(text, QPoint(1000, 300)), QRect(QPoint(1024 - placed.width(), 318), placed.size()));
  EXPECT_EQ(Show(text, QPoint(200, 760)), QRect(QPoint(200, 758 - placed.height()), placed.size()));
}

TEST_F(HintWindow95Test, LongHintWrapsAtTheMaximumWidthLessTheExtraWidth) {
  hints.SetHintStyle(THintStyle::hsOffice97);
  THint95Shared::Get().LastHintMaxWidth = 100;
  const QRect placed = Show(QStringLiteral("Ausgewählten Stein umbenennen oder löschen"), QPoint(10, 10));
  const int lineHeight = QFontMetrics(hints.HintFont().font).height();
  EXPECT_LE(window->HintTextWidth, 94);
  EXPECT_GE(window->HintTextHeight, 3 * lineHeight);
  EXPECT_EQ(window->HintTextHeight % lineHeight, 0);
  EXPECT_EQ(placed.width(), window->HintTextWidth + 6);
}

TEST(PlaceHintTest, BottomEdgeRules) {
  struct Case {
    const char* what;
    bool abovePointer;
    std::optional<int> controlTop;
    Rect expected;
  };
  // A 50 x 20 hint for a pointer at (300, 750) with an image 18 rows deep, on a 1024 x 768 screen.
  const Case cases[] = {
      {"office look or a window's hint: above the pointer", true, 700, {300, 728, 350, 748}},
      {"other looks: on top of the control", false, 700, {300, 680, 350, 700}},
      {"other looks without a control: where it was", false, std::nullopt, {300, 768, 350, 788}},
  };
  HintPlacementInput input;
  input.text = Size{44, 14};
  input.extra = Size{6, 6};
  input.pointer = Point{300, 750};
  input.cursorBottomOffset = 18;
  input.screen = Rect{0, 0, 1024, 768};
  for (const Case& c : cases) {
    input.abovePointerAtBottom = c.abovePointer;
    input.controlTop = c.controlTop;
    EXPECT_EQ(PlaceHint(input), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace tilvaro
