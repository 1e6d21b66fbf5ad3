// The toolbar button's modes with real events: groups, auto-repeat on hand-ticked timers, keys,
// double-clicks, combo geometry, setters, the checker pattern and the frames of every style.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "controls/ControlsRuntime.h"
#include "controls/ToolbarButton97.h"
#include "platform/KnownSysColors.h"
#include "support/WindowMouse.h"

namespace tilvaro {
namespace {

using test::kDkShadow;
using test::kFace;
using test::kHighlight;
using test::kShadow;
using test::PixelAt;

// A timer that ticks only when the test says so.
class HandTimer : public ControlTimer {
 public:
  void Start() override { active = true; }
  void Stop() override { active = false; }
  bool Active() const override { return active; }
  void SetInterval(int ms) override { interval = ms; }
  int Interval() const override { return interval; }
  void Tick() {
    if (active && OnTick) OnTick();
  }
  bool active = false;
  int interval = 0;
};

class ButtonModesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ControlsRuntime::Instance().SetTimerFactory([] { return std::make_unique<HandTimer>(); });
    window_ = std::make_unique<QWidget>();
    window_->resize(300, 120);
    for (int i = 0; i < 3; ++i) {
      auto* button = new TToolbarButton97(window_.get());
      button->setGeometry(10 + 60 * i, 10, 50, 24);
      button->OnClick = [this, i](QObject*) { clicks_.push_back(i); };
      buttons_.push_back(button);
    }
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    test::Move(window_.get(), QPoint(5, 100));
  }
  void TearDown() override {
    window_.reset();
    ControlsRuntime::Instance().SetTimerFactory([] { return std::make_unique<QtControlTimer>(); });
  }

  void ClickButton(int i) { test::Click(buttons_[i], QPoint(20, 12)); }
  HandTimer& Repeat(int i) { return *static_cast<HandTimer*>(buttons_[i]->RepeatClock()); }

  std::unique_ptr<QWidget> window_;
  std::vector<TToolbarButton97*> buttons_;
  std::vector<int> clicks_;
};

TEST_F(ButtonModesTest, GroupMembersLatchInTurnAndShareAllowAllUp) {
  for (auto* b : buttons_) b->SetGroupIndex(1);
  ClickButton(0);
  EXPECT_TRUE(buttons_[0]->Down());
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Latched);
  ClickButton(1);
  EXPECT_TRUE(buttons_[1]->Down());
  EXPECT_FALSE(buttons_[0]->Down());
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
  ClickButton(1);
  EXPECT_TRUE(buttons_[1]->Down()) << "a latched member stays down without AllowAllUp";
  EXPECT_EQ(clicks_, (std::vector<int>{0, 1, 1}));

  buttons_[2]->SetAllowAllUp(true);
  EXPECT_TRUE(buttons_[0]->AllowAllUp()) << "the whole group takes the value";
  ClickButton(1);
  EXPECT_FALSE(buttons_[1]->Down());

  buttons_[2]->SetGroupIndex(0);
  buttons_[2]->SetDown(true);
  EXPECT_FALSE(buttons_[2]->Down()) << "a button outside a group never latches";
}

TEST_F(ButtonModesTest, DoubleClickReportsOnlyOnALatchedButton) {
  int doubles = 0;
  for (auto* b : buttons_) b->OnDblClick = [&](QObject*) { ++doubles; };
  test::DoubleClick(buttons_[0], QPoint(20, 12));
  EXPECT_EQ(clicks_.size(), 2u);
  EXPECT_EQ(doubles, 0);
  buttons_[1]->SetGroupIndex(1);
  test::DoubleClick(buttons_[1], QPoint(20, 12));
  EXPECT_EQ(doubles, 1);
  EXPECT_TRUE(buttons_[1]->Down());
}

TEST_F(ButtonModesTest, RepeatClicksAtPressAfterTheDelayAndEveryIntervalOnTheFace) {
  TToolbarButton97* b = buttons_[0];
  b->SetRepeating(true);
  const QPoint on(20, 12), off(20, 60);
  test::Move(b, on);
  test::Press(b, on);
  ASSERT_EQ(clicks_.size(), 1u) << "one click at the press";
  EXPECT_TRUE(Repeat(0).active);
  EXPECT_EQ(Repeat(0).interval, 400);
  Repeat(0).Tick();
  EXPECT_EQ(clicks_.size(), 2u);
  EXPECT_EQ(Repeat(0).interval, 100);
  Repeat(0).Tick();
  EXPECT_EQ(clicks_.size(), 3u);

  test::Move(b, off);
  Repeat(0).Tick();
  EXPECT_EQ(clicks_.size(), 3u) << "off the face the repeat pauses";
  EXPECT_FALSE(Repeat(0).active);
  test::Move(b, on);
  EXPECT_TRUE(Repeat(0).active) << "back on the face it resumes";
  Repeat(0).Tick();
  EXPECT_EQ(clicks_.size(), 4u);

  test::Release(b, on);
  EXPECT_EQ(clicks_.size(), 4u) << "the release adds none";
  EXPECT_FALSE(Repeat(0).active);
}

TEST_F(ButtonModesTest, DisablingAHeldRepeatingButtonEndsPressAndRepeat) {
  TToolbarButton97* b = buttons_[0];
  b->SetRepeating(true);
  test::Move(b, QPoint(20, 12));
  test::Press(b, QPoint(20, 12));
  b->setEnabled(false);
  EXPECT_EQ(b->State(), ButtonState::Disabled);
  EXPECT_FALSE(b->LeftButtonHeld());
  EXPECT_FALSE(b->PointerOver());
  EXPECT_FALSE(Repeat(0).active);
  EXPECT_EQ(ControlsRuntime::Instance().HotButton(), nullptr);
  test::Release(b, QPoint(20, 12));
}

TEST_F(ButtonModesTest, EnterAndEscapeClickDefaultAndCancelUnlessModified) {
  buttons_[0]->SetDefault(true);
  buttons_[1]->SetCancel(true);
  auto* edit = new QLineEdit(window_.get());
  edit->setGeometry(10, 60, 100, 20);
  edit->show();
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(clicks_, (std::vector<int>{0, 1}));
  QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_Escape, Qt::ControlModifier);
  buttons_[0]->hide();
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clicks_, (std::vector<int>{0, 1}));
}

// Types one character that QTest cannot spell (it knows only ASCII).
void Type(QWidget* target, const QString& character) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Udiaeresis, Qt::NoModifier, character);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Udiaeresis, Qt::NoModifier, character);
  QApplication::sendEvent(target, &release);
}

TEST_F(ButtonModesTest, AcceleratorWithoutAltOnlyWhenTheFocusTakesNoCharacters) {
  buttons_[2]->SetCaption(QStringLiteral("&Übernehmen"));
  auto* edit = new QLineEdit(window_.get());
  edit->setGeometry(10, 60, 100, 20);
  auto* check = new QCheckBox(window_.get());
  check->setGeometry(120, 60, 100, 20);
  edit->show();
  check->show();
  edit->setFocus();
  Type(edit, QStringLiteral("ü"));
  EXPECT_TRUE(clicks_.empty()) << "the edit takes the character";
  EXPECT_EQ(edit->text(), QStringLiteral("ü"));
  check->setFocus();
  Type(check, QStringLiteral("Ü"));
  EXPECT_EQ(clicks_, (std::vector<int>{2})) << "case-insensitive";
  buttons_[2]->SetDisplayMode(TButtonDisplayMode::dmGlyphOnly);
  Type(check, QStringLiteral("ü"));
  EXPECT_EQ(clicks_.size(), 1u);
}

TEST_F(ButtonModesTest, KeyboardClickShowsTheFacePressedWhileTheHandlerRuns) {
  buttons_[0]->SetDefault(true);
  ButtonState during = ButtonState::Up;
  buttons_[0]->OnClick = [&](QObject*) { during = buttons_[0]->State(); };
  QTest::keyClick(window_.get(), Qt::Key_Enter);
  EXPECT_EQ(during, ButtonState::Down);
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
}

TEST_F(ButtonModesTest, ThrowingHandlerStillGetsTheClicksLastStepsAndAHandlerMayDeleteTheButton) {
  // The error box is modal: close it as soon as it shows.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  closer.start(10);
  buttons_[0]->OnClick = [](QObject*) { throw std::runtime_error("Kaputt"); };
  ClickButton(0);
  EXPECT_FALSE(buttons_[0]->ClickInProgress());
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);

  buttons_[1]->OnClick = [this](QObject*) { delete buttons_[1]; };
  ClickButton(1);
  EXPECT_EQ(window_->findChildren<TToolbarButton97*>().size(), 2);
  EXPECT_EQ(ControlsRuntime::Instance().HotButton(), nullptr);
}

TEST_F(ButtonModesTest, HotFrameEndsWhenTheApplicationIsDeactivatedUnlessShownInactive) {
  test::Move(buttons_[0], QPoint(20, 12));
  ASSERT_EQ(buttons_[0]->State(), ButtonState::Hot);
  EXPECT_EQ(ControlsRuntime::Instance().HotButton(), buttons_[0]);
  QApplication::setActiveWindow(nullptr);
  QEvent deactivate(QEvent::ApplicationDeactivate);
  QApplication::sendEvent(qApp, &deactivate);
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
  EXPECT_EQ(ControlsRuntime::Instance().HotButton(), nullptr);

  buttons_[1]->SetShowBorderWhenInactive(true);
  test::Move(buttons_[0], QPoint(20, 12));
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up) << "no active window: no hot frame";
  test::Move(buttons_[1], QPoint(20, 12));
  EXPECT_EQ(buttons_[1]->State(), ButtonState::Hot);
}

TEST_F(ButtonModesTest, LeaveTimerEndsTheHotFrameWhenThePointerIsElsewhere) {
  test::Move(buttons_[0], QPoint(20, 12));
  ASSERT_EQ(ControlsRuntime::Instance().HotButton(), buttons_[0]);
  auto& leave = static_cast<HandTimer&>(ControlsRuntime::Instance().LeaveTimer());
  EXPECT_TRUE(leave.active);
  EXPECT_EQ(leave.interval, 125);
  QCursor::setPos(buttons_[0]->mapToGlobal(QPoint(20, 12)));
  leave.Tick();
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Hot) << "still over the button";
  QCursor::setPos(window_->mapToGlobal(QPoint(290, 110)));
  leave.Tick();
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
  EXPECT_FALSE(leave.active);
}

TEST_F(ButtonModesTest, ModalWindowShownDuringAPressEndsIt) {
  test::Move(buttons_[0], QPoint(20, 12));
  test::Press(buttons_[0], QPoint(20, 12));
  ASSERT_TRUE(buttons_[0]->LeftButtonHeld());
  QWidget modal;
  modal.setWindowModality(Qt::ApplicationModal);
  modal.show();
  EXPECT_FALSE(buttons_[0]->LeftButtonHeld());
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
  modal.hide();
  test::Release(buttons_[0], QPoint(20, 12));
  EXPECT_TRUE(clicks_.empty());
}

TEST(ButtonProperties, DefaultsAndClampingSetters) {
  TToolbarButton97 b;
  EXPECT_EQ(b.DropdownArrowWidth(), 9);
  EXPECT_EQ(b.RepeatDelay(), 400);
  EXPECT_EQ(b.RepeatInterval(), 100);
  EXPECT_TRUE(b.HighlightWhenDown());
  EXPECT_TRUE(b.DropdownArrow());
  EXPECT_EQ(b.Alignment(), TAlignment::taCenter);
  const QString version = b.Version();
  b.SetVersion(QStringLiteral("x"));
  EXPECT_EQ(b.Version(), version);

  b.SetDropdownArrowWidth(3);
  EXPECT_EQ(b.DropdownArrowWidth(), 7);
  b.SetDropdownCombo(true);
  EXPECT_EQ(b.width(), 23 + 9);
  b.SetDropdownArrowWidth(12);
  EXPECT_EQ(b.width(), 23 + 9 + 5);
  b.resize(5, 22);
  b.SetDropdownCombo(false);
  EXPECT_EQ(b.width(), 1) << "a shrinking combo keeps at least one pixel";

  QWidget disabledPanel;
  disabledPanel.setEnabled(false);
  EXPECT_EQ(TToolbarButton97(&disabledPanel).State(), ButtonState::Disabled);
  b.setParent(&disabledPanel);
  EXPECT_EQ(b.State(), ButtonState::Disabled) << "moved into a disabled panel";
  b.setParent(nullptr);
}

// Faces painted straight into an image, one row per style.
struct FaceRow {
  const char* name;
  std::function<void(TToolbarButton97&)> setUp;
  std::vector<std::pair<QPoint, Rgb>> pixels;
};

class ButtonFrames : public ::testing::TestWithParam<FaceRow> {};

TEST_P(ButtonFrames, PixelsOfTheStyle) {
  test::KnownSysColorsScope colours;
  TToolbarButton97 b;
  b.resize(40, 22);
  QPalette pal = b.palette();
  pal.setColor(QPalette::Button, test::ToQRgb(kFace));
  b.setPalette(pal);
  GetParam().setUp(b);
  QImage image(b.size(), QImage::Format_RGB32);
  image.fill(qRgb(1, 2, 3));
  QPainter painter(&image);
  b.Paint(painter);
  painter.end();
  for (const auto& [at, colour] : GetParam().pixels) {
    EXPECT_EQ(PixelAt(image, at.x(), at.y()), colour) << "at " << at.x() << "," << at.y();
  }
}

void Latch(TToolbarButton97& b) {
  b.SetGroupIndex(1);
  b.SetDown(true);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, ButtonFrames,
    ::testing::Values(
        FaceRow{"FlatIdle", [](TToolbarButton97&) {}, {{{0, 0}, kFace}, {{39, 21}, kFace}}},
        FaceRow{"FlatHot", [](TToolbarButton97& b) { b.Feed({ButtonInputKind::PointerEntered}); },
                {{{0, 0}, kHighlight}, {{39, 21}, kShadow}, {{1, 1}, kFace}}},
        FaceRow{"FlatLatchedWithChecker", Latch,
                {{{0, 0}, kShadow}, {{39, 21}, kHighlight}, {{1, 1}, kHighlight}, {{2, 1}, kFace},
                 {{2, 2}, kHighlight}}},
        FaceRow{"FlatLatchedHotHasNoChecker",
                [](TToolbarButton97& b) {
                  Latch(b);
                  b.Feed({ButtonInputKind::PointerEntered});
                },
                {{{0, 0}, kShadow}, {{1, 1}, kFace}}},
        FaceRow{"LatchedWithoutHighlight",
                [](TToolbarButton97& b) {
                  Latch(b);
                  b.SetHighlightWhenDown(false);
                },
                {{{1, 1}, kFace}}},
        FaceRow{"NoBorderLatchedFillsFromTheCorner",
                [](TToolbarButton97& b) {
                  Latch(b);
                  b.SetNoBorder(true);
                },
                {{{0, 0}, kHighlight}, {{1, 0}, kFace}}},
        FaceRow{"NonFlatUp", [](TToolbarButton97& b) { b.SetFlat(false); },
                {{{0, 0}, kHighlight}, {{39, 21}, kDkShadow}, {{38, 20}, kShadow}}},
        FaceRow{"NonFlatLatched",
                [](TToolbarButton97& b) {
                  b.SetFlat(false);
                  Latch(b);
                },
                {{{0, 0}, kDkShadow}, {{1, 1}, kShadow}, {{39, 21}, kHighlight}, {{2, 2}, kHighlight},
                 {{3, 2}, kFace}}},
        FaceRow{"ComboHasTwoRaisedParts",
                [](TToolbarButton97& b) {
                  b.SetDropdownAlways(true);
                  b.SetDropdownCombo(true);
                  b.resize(40, 22);
                  b.Feed({ButtonInputKind::PointerEntered});
                },
                // Main part x 0..28, arrow part x 29..37, the last two columns belong to neither.
                {{{28, 21}, kShadow}, {{29, 0}, kHighlight}, {{37, 21}, kShadow}, {{38, 0}, kFace}}}),
    [](const ::testing::TestParamInfo<FaceRow>& row) { return std::string(row.param.name); });

TEST(ButtonDownPattern, CheckerOfHighlightAndFaceMadeAgainWhenTheColoursChange) {
  test::KnownSysColorsScope colours;
  const QImage first = ControlsRuntime::Instance().DownPattern();
  EXPECT_EQ(PixelAt(first, 0, 0), kHighlight);
  EXPECT_EQ(PixelAt(first, 1, 0), kFace);
  EXPECT_EQ(PixelAt(first, 1, 1), kHighlight);
  SetSysColorResolver([](SysColor c) { return c == SysColor::BtnHighlight ? Rgb{1, 2, 3} : test::KnownSysColor(c); });
  EXPECT_EQ(PixelAt(ControlsRuntime::Instance().DownPattern(), 0, 0), (Rgb{1, 2, 3}));
}

}  // namespace
}  // namespace tilvaro
