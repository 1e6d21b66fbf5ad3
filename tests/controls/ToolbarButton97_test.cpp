// The toolbar button driven with real mouse and key events on the offscreen platform.
#include "controls/ToolbarButton97.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <memory>

#include "support/TestPalette.h"

namespace tilvaro {
namespace {

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

// Mouse input goes through the window, as the platform delivers it: Qt then routes it to the
// widget under the pointer, grabs the pointer on a press and sends enter and leave events.
QPoint InWindow(QWidget* widget, QPoint pos) { return widget->mapTo(widget->window(), pos); }
void Move(QWidget* widget, QPoint pos) {
  QTest::mouseMove(widget->window()->windowHandle(), InWindow(widget, pos));
}
void Press(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(widget->window()->windowHandle(), button, {}, InWindow(widget, pos));
}
void Release(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseRelease(widget->window()->windowHandle(), button, {}, InWindow(widget, pos));
}
void Click(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(widget->window()->windowHandle(), button, {}, InWindow(widget, pos));
}
void DoubleClick(QWidget* widget, QPoint pos) {
  QTest::mouseDClick(widget->window()->windowHandle(), Qt::LeftButton, {}, InWindow(widget, pos));
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
  EXPECT_EQ(button.ModalResult(), 0);
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

TEST_F(ToolbarButtonTest, DoubleClickGivesTwoClicks) {
  DoubleClick(button_, Centre());
  EXPECT_EQ(clicks_, 2);
}

TEST_F(ToolbarButtonTest, RightButtonDoesNotClick) {
  Click(button_, Centre(), Qt::RightButton);
  EXPECT_EQ(clicks_, 0);
}

TEST_F(ToolbarButtonTest, AltWithTheUnderlinedLetterClicks) {
  button_->SetCaption("&OK");
  QTest::keyClick(window_.get(), Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(clicks_, 1);
  QTest::keyClick(window_.get(), Qt::Key_K, Qt::AltModifier);
  EXPECT_EQ(clicks_, 1) << "only the letter after '&'";

  button_->setEnabled(false);
  QTest::keyClick(window_.get(), Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(clicks_, 1) << "disabled";
  button_->setEnabled(true);

  button_->SetDisplayMode(TButtonDisplayMode::dmGlyphOnly);
  QTest::keyClick(window_.get(), Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(clicks_, 1) << "glyph-only buttons have no accelerator";
  button_->SetDisplayMode(TButtonDisplayMode::dmBoth);

  button_->SetCaption("Save&");
  QTest::keyClick(window_.get(), Qt::Key_O, Qt::AltModifier);
  QTest::keyClick(window_.get(), Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(clicks_, 1) << "a trailing '&' marks nothing";

  button_->SetCaption("&Abbruch");
  QTest::keyClick(window_.get(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(clicks_, 2);
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

TEST(ToolbarButtonModalResult, ClickHandsTheResultToTheDialogBeforeOnClick) {
  QDialog dialog;
  auto* button = new TToolbarButton97(&dialog);
  button->setGeometry(10, 10, 40, 22);
  button->SetModalResult(7);
  int resultSeenByHandler = -1;
  button->OnClick = [&](QObject*) { resultSeenByHandler = dialog.result(); };
  QTimer::singleShot(0, &dialog, [&] {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Click(button, QPoint(20, 11));
  });
  // The dialog would otherwise wait forever: end it with a different result after a while.
  QTimer::singleShot(5000, &dialog, [&] { dialog.done(99); });
  EXPECT_EQ(dialog.exec(), 7);
  EXPECT_EQ(resultSeenByHandler, 7);
}

TEST(ToolbarButtonModalResult, ZeroModalResultKeepsTheDialogOpen) {
  QDialog dialog;
  auto* button = new TToolbarButton97(&dialog);
  button->setGeometry(10, 10, 40, 22);
  bool clicked = false;
  bool openAfterClick = false;
  button->OnClick = [&](QObject*) { clicked = true; };
  QTimer::singleShot(0, &dialog, [&] {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Click(button, QPoint(20, 11));
    openAfterClick = dialog.isVisible();
    dialog.done(3);
  });
  EXPECT_EQ(dialog.exec(), 3);
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(openAfterClick);
}

TEST(ToolbarButtonModalResult, DialogShownWithoutAModalLoopOnlyRecordsTheResult) {
  QDialog dialog;
  auto* button = new TToolbarButton97(&dialog);
  button->setGeometry(10, 10, 40, 22);
  button->SetModalResult(1);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  Click(button, QPoint(20, 11));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 1);
}

TEST(ToolbarButtonClick, HandlerMayDestroyTheButton) {
  QWidget window;
  auto* button = new TToolbarButton97(&window);
  button->OnClick = [&](QObject*) { delete button; };
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  Click(button, QPoint(5, 5));
  EXPECT_TRUE(window.findChildren<TToolbarButton97*>().isEmpty());
}

}  // namespace
}  // namespace tilvaro
