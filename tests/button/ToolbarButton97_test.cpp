// The toolbar button driven with real mouse and key events on the offscreen platform.
#include "button/ToolbarButton97.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <memory>

#include "support/TestPalette.h"
#include "support/WindowMouse.h"

namespace tilvaro {
namespace {

using test::Click;
using test::Move;
using test::Press;
using test::Release;
using test::TestPalette;

// A 10 x 10 single-colour square on a magenta background (the strip's transparent colour).
QImage Square(QColor colour, int images = 1) {
  QImage strip(12 * images, 12, QImage::Format_RGB32);
  strip.fill(QColor(255, 0, 255));
  for (int i = 0; i < images; ++i) {
    QPainter p(&strip);
    p.fillRect(12 * i + 1, 1, 10, 10, i == 0 ? colour : QColor(0, 0, 255));
  }
  return strip;
}

// Bounding box of the pixels of one colour.
QRect BoundsOf(const QImage& image, QColor colour) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

class ToolbarButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    window_->setPalette(TestPalette());
    window_->setAutoFillBackground(true);
    window_->resize(200, 100);
    button_ = new TToolbarButton97(window_.get());
    button_->setGeometry(50, 30, 60, 30);
    button_->OnClick = [this](QObject* sender) {
      ++clicks_;
      EXPECT_EQ(sender, button_);
    };
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Move(window_.get(), QPoint(5, 5));
  }

  QPoint Centre() const { return button_->rect().center(); }
  QImage Face() const { return button_->grab().toImage(); }

  std::unique_ptr<QWidget> window_;
  TToolbarButton97* button_ = nullptr;
  int clicks_ = 0;
};

TEST(ToolbarButtonDefaults, NewButtonIsSmallFlatOpaqueAndClampsItsProperties) {
  TToolbarButton97 button;
  EXPECT_EQ(button.size(), QSize(23, 22));
  EXPECT_TRUE(button.Flat());
  EXPECT_TRUE(button.Opaque());
  EXPECT_EQ(button.Spacing(), 4);
  EXPECT_EQ(button.Margin(), -1);
  EXPECT_EQ(button.State(), ButtonState::Up);
  EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);

  button.SetNumGlyphs(0);
  EXPECT_EQ(button.NumGlyphs(), 1);
  button.SetNumGlyphs(9);
  EXPECT_EQ(button.NumGlyphs(), 5);
  button.SetMargin(3);
  button.SetMargin(-5);
  EXPECT_EQ(button.Margin(), 3);
}

TEST_F(ToolbarButtonTest, ReleaseOnTheFaceClicksOnceAndPressShowsItDown) {
  Press(button_, Centre());
  EXPECT_EQ(button_->State(), ButtonState::Down);
  EXPECT_EQ(clicks_, 0);
  Release(button_, Centre());
  EXPECT_EQ(clicks_, 1);
  EXPECT_NE(button_->State(), ButtonState::Down);
  EXPECT_FALSE(button_->ClickInProgress());
}

TEST_F(ToolbarButtonTest, DraggingOffTheFaceRaisesItAndReleasingThereClicksNothing) {
  Move(button_, Centre());
  Press(button_, Centre());
  const QPoint outside(button_->width() + 10, Centre().y());
  Move(button_, outside);
  EXPECT_EQ(button_->State(), ButtonState::Up);
  EXPECT_TRUE(button_->PointerOver()) << "stays marked as under the pointer while held";
  Move(button_, Centre());
  EXPECT_EQ(button_->State(), ButtonState::Down);
  Move(button_, outside);
  Release(button_, outside);
  EXPECT_EQ(clicks_, 0);
  EXPECT_FALSE(button_->PointerOver());
  EXPECT_EQ(button_->State(), ButtonState::Up);
  // With the pointer gone the flat face shows no frame.
  EXPECT_EQ(Face().pixelColor(0, 0), TestPalette().color(QPalette::Button));
}

TEST_F(ToolbarButtonTest, HotFlatButtonShowsRaisedFramePressedShowsSunkenFrameAndShiftsContent) {
  button_->SetGlyph(Square(QColor(200, 0, 0)));
  const QImage up = Face();
  EXPECT_EQ(up.pixelColor(0, 0), TestPalette().color(QPalette::Button)) << "no frame when idle";

  Move(button_, Centre());
  ASSERT_EQ(button_->State(), ButtonState::Hot);
  const QImage hot = Face();
  EXPECT_EQ(hot.pixelColor(0, 0), TestPalette().color(QPalette::Light));
  EXPECT_EQ(hot.pixelColor(button_->width() - 1, button_->height() - 1),
            TestPalette().color(QPalette::Dark));

  Press(button_, Centre());
  const QImage down = Face();
  EXPECT_EQ(down.pixelColor(0, 0), TestPalette().color(QPalette::Dark));
  EXPECT_EQ(down.pixelColor(button_->width() - 1, button_->height() - 1),
            TestPalette().color(QPalette::Light));
  const QRect glyphUp = BoundsOf(up, QColor(200, 0, 0));
  ASSERT_EQ(glyphUp.size(), QSize(10, 10));
  EXPECT_EQ(BoundsOf(down, QColor(200, 0, 0)), glyphUp.translated(1, 1));
  // The glyph's magenta background is transparent.
  EXPECT_TRUE(BoundsOf(down, QColor(255, 0, 255)).isNull());
  Release(button_, Centre());
}

TEST_F(ToolbarButtonTest, LeavingTheButtonEndsTheHotState) {
  Move(button_, Centre());
  EXPECT_EQ(button_->State(), ButtonState::Hot);
  Move(window_.get(), QPoint(5, 5));
  EXPECT_EQ(button_->State(), ButtonState::Up);
  EXPECT_FALSE(button_->PointerOver());
}

TEST_F(ToolbarButtonTest, TransparentFlatButtonLetsTheParentShowThrough) {
  button_->SetOpaque(false);
  const QImage parent = window_->grab().toImage();
  const QColor window = TestPalette().color(QPalette::Window);
  EXPECT_EQ(parent.pixelColor(button_->geometry().topLeft()), window);
  EXPECT_EQ(parent.pixelColor(button_->geometry().center()), window);
  button_->SetOpaque(true);
  EXPECT_EQ(window_->grab().toImage().pixelColor(button_->geometry().topLeft()),
            TestPalette().color(QPalette::Button));
}

TEST_F(ToolbarButtonTest, GlyphColumnFollowsTheStateWhenTheStripHasThatImage) {
  button_->SetGlyph(Square(QColor(200, 0, 0), 2));
  button_->SetNumGlyphs(2);
  EXPECT_FALSE(BoundsOf(Face(), QColor(200, 0, 0)).isNull()) << "Up shows image 0";
  Move(button_, Centre());
  EXPECT_FALSE(BoundsOf(Face(), QColor(200, 0, 0)).isNull()) << "Hot has no image: image 0";
  button_->setEnabled(false);
  EXPECT_EQ(button_->State(), ButtonState::Disabled);
  const QImage disabled = Face();
  EXPECT_TRUE(BoundsOf(disabled, QColor(200, 0, 0)).isNull());
  EXPECT_EQ(BoundsOf(disabled, QColor(0, 0, 255)).size(), QSize(10, 10)) << "Disabled: image 1";
}

TEST_F(ToolbarButtonTest, DisabledButtonIgnoresTheMouseAndRecoversWhenEnabled) {
  button_->setEnabled(false);
  Click(button_, Centre());
  EXPECT_EQ(clicks_, 0);
  button_->setEnabled(true);
  EXPECT_EQ(button_->State(), ButtonState::Up);
  Click(button_, Centre());
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ToolbarButtonTest, OnMouseMoveComesBeforeTheHotTrackingOfTheSameMove) {
  std::string log;
  button_->OnMouseMove = [&](QObject*, Qt::MouseButton, TShiftState, int, int) { log += "Move "; };
  button_->OnMouseEnter = [&](QObject*) { log += "Enter "; };
  Move(button_, Centre());
  EXPECT_EQ(log.substr(0, 11), "Move Enter ");
}

TEST_F(ToolbarButtonTest, RightButtonDoesNotClick) {
  Click(button_, Centre(), Qt::RightButton);
  EXPECT_EQ(clicks_, 0);
}

TEST_F(ToolbarButtonTest, AltWithTheUnderlinedLetterClicks) {
  using enum TButtonDisplayMode;
  const struct {
    const char* caption;
    bool enabled;
    TButtonDisplayMode mode;
    Qt::Key key;
    int clicks;
    const char* why;
  } cases[] = {{"&OK", true, dmBoth, Qt::Key_O, 1, "the marked letter"},
               {"&OK", true, dmBoth, Qt::Key_K, 0, "only the letter after '&'"},
               {"&OK", false, dmBoth, Qt::Key_O, 0, "disabled"},
               {"&OK", true, dmGlyphOnly, Qt::Key_O, 0, "glyph-only buttons have no accelerator"},
               {"Save&", true, dmBoth, Qt::Key_O, 0, "the old caption's letter is gone"},
               {"Save&", true, dmBoth, Qt::Key_S, 0, "a trailing '&' marks nothing"},
               {"&Abbruch", true, dmBoth, Qt::Key_A, 1, "a new caption's letter"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    button_->SetCaption(c.caption);
    button_->setEnabled(c.enabled);
    button_->SetDisplayMode(c.mode);
    clicks_ = 0;
    QTest::keyClick(window_.get(), c.key, Qt::AltModifier);
    EXPECT_EQ(clicks_, c.clicks);
  }
}

TEST_F(ToolbarButtonTest, HintNeverShowsAsAQtToolTip) {
  // Whether or not the program has a hint component, the button's hint is not a Qt tool tip.
  button_->SetHint(QStringLiteral("Neues Layout"));
  QHelpEvent help(QEvent::ToolTip, Centre(), button_->mapToGlobal(Centre()));
  QCoreApplication::sendEvent(button_, &help);
  EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(ToolbarButtonTest, CaptionUnderlinesTheAcceleratorLetter) {
  // The same caption with and without '&' differs only by the underline below the letter.
  button_->SetCaption("OK");
  const QImage plain = Face();
  button_->SetCaption("&OK");
  const QImage marked = Face();
  const QRect changed = [&] {
    QRect box;
    for (int y = 0; y < plain.height(); ++y)
      for (int x = 0; x < plain.width(); ++x)
        if (plain.pixel(x, y) != marked.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
  }();
  ASSERT_FALSE(changed.isNull());
  EXPECT_LE(changed.height(), 2) << "an underline, not a moved caption";
  EXPECT_LT(changed.center().x(), button_->width() / 2) << "below the first letter";
}

// A dialog with a button on it; the button is clicked once the dialog is up.
class ToolbarButtonModalResult : public ::testing::Test {
 protected:
  void SetUp() override { button_->setGeometry(10, 10, 40, 22); }
  void ClickWhenShown(const std::function<void()>& after = {}) {
    QTimer::singleShot(0, &dialog_, [this, after] {
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
      Click(button_, QPoint(20, 11));
      if (after) after();
    });
  }
  QDialog dialog_;
  TToolbarButton97* button_ = new TToolbarButton97(&dialog_);
};

TEST_F(ToolbarButtonModalResult, ClickHandsTheResultToTheDialogWhichIsStillOpenDuringOnClick) {
  button_->SetModalResult(7);
  int resultSeenByHandler = -1;
  bool openDuringHandler = false;
  button_->OnClick = [&](QObject*) {
    resultSeenByHandler = dialog_.result();
    openDuringHandler = dialog_.isVisible();
  };
  ClickWhenShown();
  // The dialog would otherwise wait forever: end it with a different result after a while.
  QTimer::singleShot(5000, &dialog_, [&] { dialog_.done(99); });
  EXPECT_EQ(dialog_.exec(), 7);
  EXPECT_EQ(resultSeenByHandler, 7);
  EXPECT_TRUE(openDuringHandler);
}

TEST_F(ToolbarButtonModalResult, ResultZeroAfterOnClickKeepsTheDialogOpen) {
  // Zero (the default) is handed on too; a handler may also take a result back to zero.
  for (const int modalResult : {0, 5}) {
    SCOPED_TRACE(modalResult);
    button_->SetModalResult(modalResult);
    dialog_.setResult(4);
    int seen = -1;
    bool openAfterClick = false;
    button_->OnClick = [&](QObject*) {
      seen = dialog_.result();
      dialog_.setResult(0);
    };
    ClickWhenShown([&] {
      openAfterClick = dialog_.isVisible();
      dialog_.done(3);
    });
    EXPECT_EQ(dialog_.exec(), 3);
    EXPECT_EQ(seen, modalResult);
    EXPECT_TRUE(openAfterClick);
  }
}

TEST_F(ToolbarButtonModalResult, DialogShownWithoutAModalLoopOnlyRecordsTheResult) {
  button_->SetModalResult(1);
  dialog_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
  Click(button_, QPoint(20, 11));
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(dialog_.result(), 1);
}

}  // namespace
}  // namespace tilvaro
