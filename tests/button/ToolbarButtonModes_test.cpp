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
#include <memory>
#include <stdexcept>
#include <vector>

#include "button/ButtonTracking.h"
#include "runtime/ControlsRuntime.h"
#include "button/ToolbarButton97.h"
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
struct HandTimer : ControlTimer {
  void Start() override { active = true; }
  void Stop() override { active = false; }
  bool Active() const override { return active; }
  void SetInterval(int ms) override { interval = ms; }
  int Interval() const override { return interval; }
  void Tick() { if (active && OnTick) OnTick(); }
  bool active = false;
  int interval = 0;
};
const QPoint kAt(20, 12);  // on a button's face

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

  void ClickButton(int i) { test::Click(buttons_[i], kAt); }
  QLineEdit* FocusedEdit() {
    auto* edit = new QLineEdit(window_.get());
    edit->setGeometry(10, 60, 100, 20);
    edit->show();
    edit->setFocus();
    return edit;
  }
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
  std::vector<bool> doubleFlags;
  for (auto* b : buttons_) b->OnDblClick = [&](QObject*) { ++doubles; };
  buttons_[0]->OnMouseDown = [&](QObject*, Qt::MouseButton, TShiftState shift, int, int) {
    doubleFlags.push_back(shift.doubleClick);
  };
  test::DoubleClick(buttons_[0], kAt);
  EXPECT_EQ(clicks_.size(), 2u);
  EXPECT_EQ(doubles, 0);
  EXPECT_EQ(doubleFlags, (std::vector<bool>{false, true})) << "the second press carries the double-click flag";
  buttons_[1]->SetGroupIndex(1);
  test::DoubleClick(buttons_[1], kAt);
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
  test::Move(b, kAt);
  test::Press(b, kAt);
  b->setEnabled(false);
  EXPECT_EQ(b->State(), ButtonState::Disabled);
  EXPECT_FALSE(b->LeftButtonHeld());
  EXPECT_FALSE(b->PointerOver());
  EXPECT_FALSE(Repeat(0).active);
  EXPECT_EQ(ButtonTracking::Instance().HotButton(), nullptr);
  test::Release(b, kAt);
}

TEST_F(ButtonModesTest, EnterAndEscapeClickDefaultAndCancelUnlessModifiedWithTheFacePressedMeanwhile) {
  buttons_[0]->SetDefault(true);
  buttons_[1]->SetCancel(true);
  ButtonState during = ButtonState::Up;
  buttons_[0]->OnClick = [&](QObject*) { clicks_.push_back(0), during = buttons_[0]->State(); };
  QLineEdit* edit = FocusedEdit();
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(during, ButtonState::Down);
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
  QTest::keyClick(edit, Qt::Key_Enter);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(clicks_, (std::vector<int>{0, 0, 1}));
  QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_Escape, Qt::ControlModifier);
  buttons_[0]->hide();
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clicks_, (std::vector<int>{0, 0, 1}));
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
  QLineEdit* edit = FocusedEdit();
  auto* check = new QCheckBox(window_.get());
  check->setGeometry(120, 60, 100, 20);
  check->show();
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
  EXPECT_EQ(ButtonTracking::Instance().HotButton(), nullptr);
}

TEST_F(ButtonModesTest, HotFrameEndsWhenTheApplicationIsDeactivatedUnlessShownInactive) {
  test::Move(buttons_[0], kAt);
  ASSERT_EQ(buttons_[0]->State(), ButtonState::Hot);
  EXPECT_EQ(ButtonTracking::Instance().HotButton(), buttons_[0]);
  QApplication::setActiveWindow(nullptr);
  QEvent deactivate(QEvent::ApplicationDeactivate);
  QApplication::sendEvent(qApp, &deactivate);
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
  EXPECT_EQ(ButtonTracking::Instance().HotButton(), nullptr);

  buttons_[1]->SetShowBorderWhenInactive(true);
  test::Move(buttons_[0], kAt);
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up) << "no active window: no hot frame";
  test::Move(buttons_[1], kAt);
  EXPECT_EQ(buttons_[1]->State(), ButtonState::Hot);
}

TEST_F(ButtonModesTest, LeaveTimerEndsTheHotFrameWhenThePointerIsElsewhere) {
  test::Move(buttons_[0], kAt);
  ASSERT_EQ(ButtonTracking::Instance().HotButton(), buttons_[0]);
  auto& leave = static_cast<HandTimer&>(ButtonTracking::Instance().LeaveTimer());
  EXPECT_TRUE(leave.active);
  EXPECT_EQ(leave.interval, 125);
  QCursor::setPos(buttons_[0]->mapToGlobal(kAt));
  leave.Tick();
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Hot) << "still over the button";
  QCursor::setPos(window_->mapToGlobal(QPoint(290, 110)));
  leave.Tick();
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
  EXPECT_FALSE(leave.active);
}

TEST_F(ButtonModesTest, ModalWindowShownDuringAPressEndsIt) {
  test::Move(buttons_[0], kAt);
  test::Press(buttons_[0], kAt);
  ASSERT_TRUE(buttons_[0]->LeftButtonHeld());
  QWidget modal;
  modal.setWindowModality(Qt::ApplicationModal);
  modal.show();
  EXPECT_FALSE(buttons_[0]->LeftButtonHeld());
  EXPECT_EQ(buttons_[0]->State(), ButtonState::Up);
  modal.hide();
  test::Release(buttons_[0], kAt);
  EXPECT_TRUE(clicks_.empty());
}

TEST(ButtonProperties, ClampingSettersAndFixedVersion) {
  TToolbarButton97 b;
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
  void (*setUp)(TToolbarButton97&);
  std::vector<std::pair<QPoint, Rgb>> pixels;
};

using B = TToolbarButton97;
void Latch(B& b) { b.SetGroupIndex(1), b.SetDown(true); }
void Enter(B& b) { b.Feed({ButtonInputKind::PointerEntered}); }

TEST(ButtonFrames, PixelsOfEachStyle) {
  test::KnownSysColorsScope colours;
  const FaceRow rows[] = {
      {"FlatIdle", [](B&) {}, {{{0, 0}, kFace}, {{39, 21}, kFace}}},
      {"FlatHot", Enter, {{{0, 0}, kHighlight}, {{39, 21}, kShadow}, {{1, 1}, kFace}}},
      {"FlatLatchedWithChecker", Latch,
       {{{0, 0}, kShadow}, {{39, 21}, kHighlight}, {{1, 1}, kHighlight}, {{2, 1}, kFace}, {{2, 2}, kHighlight}}},
      {"FlatLatchedHotHasNoChecker", [](B& b) { Latch(b), Enter(b); }, {{{0, 0}, kShadow}, {{1, 1}, kFace}}},
      {"LatchedWithoutHighlight", [](B& b) { Latch(b), b.SetHighlightWhenDown(false); }, {{{1, 1}, kFace}}},
      {"NoBorderLatchedFillsFromTheCorner", [](B& b) { Latch(b), b.SetNoBorder(true); },
       {{{0, 0}, kHighlight}, {{1, 0}, kFace}}},
      {"NonFlatUp", [](B& b) { b.SetFlat(false); }, {{{0, 0}, kHighlight}, {{39, 21}, kDkShadow}, {{38, 20}, kShadow}}},
      {"NonFlatLatched", [](B& b) { b.SetFlat(false), Latch(b); },
       {{{0, 0}, kDkShadow}, {{1, 1}, kShadow}, {{39, 21}, kHighlight}, {{2, 2}, kHighlight}, {{3, 2}, kFace}}},
      // Main part x 0..28, arrow part x 29..37, the last two columns belong to neither.
      {"ComboHasTwoRaisedParts",
       [](B& b) { b.SetDropdownAlways(true), b.SetDropdownCombo(true), b.resize(40, 22), Enter(b); },
       {{{28, 21}, kShadow}, {{29, 0}, kHighlight}, {{37, 21}, kShadow}, {{38, 0}, kFace}}}};
  for (const FaceRow& row : rows) {
    SCOPED_TRACE(row.name);
    B b;
    b.resize(40, 22);
    QPalette pal = b.palette();
    pal.setColor(QPalette::Button, test::ToQRgb(kFace));
    b.setPalette(pal);
    row.setUp(b);
    QImage image(b.size(), QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    QPainter painter(&image);
    b.Paint(painter);
    painter.end();
    for (const auto& [at, colour] : row.pixels) {
      EXPECT_EQ(PixelAt(image, at.x(), at.y()), colour) << "at " << at.x() << "," << at.y();
    }
  }
}

TEST(ButtonDownPattern, CheckerOfHighlightAndFaceMadeAgainWhenTheColoursChange) {
  test::KnownSysColorsScope colours;
  const QImage first = ButtonTracking::Instance().DownPattern();
  EXPECT_EQ(PixelAt(first, 0, 0), kHighlight);
  EXPECT_EQ(PixelAt(first, 1, 0), kFace);
  EXPECT_EQ(PixelAt(first, 1, 1), kHighlight);
  SetSysColorResolver([](SysColor c) { return c == SysColor::BtnHighlight ? Rgb{1, 2, 3} : test::KnownSysColor(c); });
  EXPECT_EQ(PixelAt(ButtonTracking::Instance().DownPattern(), 0, 0), (Rgb{1, 2, 3}));
}

}  // namespace
}  // namespace tilvaro
