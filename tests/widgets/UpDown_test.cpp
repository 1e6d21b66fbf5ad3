// The layer spinner on its own: steps, bounds, and what it raises.
#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "widgets/UpDown.h"

namespace tilvaro {
namespace {

using Button = TUpDown::TUDBtnType;

class UpDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    spinner_.resize(13, 19);
    spinner_.SetRange(1, 4);
    spinner_.SetPosition(1);
    spinner_.OnClick = [this](QObject*, Button button) { clicks_.push_back(button); };
    spinner_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&spinner_));
  }
  void Press(bool up) {
    QTest::mouseClick(&spinner_, Qt::LeftButton, Qt::NoModifier, up ? QPoint(6, 3) : QPoint(6, 15));
  }
  TUpDown spinner_;
  std::vector<Button> clicks_;
};

TEST_F(UpDownTest, TheUpperArrowStepsUpTheLowerDown) {
  Press(true);
  Press(true);
  EXPECT_EQ(spinner_.Position(), 3);
  Press(false);
  EXPECT_EQ(spinner_.Position(), 2);
  EXPECT_EQ(clicks_, (std::vector<Button>{Button::btNext, Button::btNext, Button::btPrev}));
}

TEST_F(UpDownTest, AStepBeyondABoundChangesNothingAndRaisesNothing) {
  Press(false);
  EXPECT_EQ(spinner_.Position(), 1);
  for (int i = 0; i < 5; ++i) Press(true);
  EXPECT_EQ(spinner_.Position(), 4);
  EXPECT_EQ(clicks_.size(), 3u);
}

TEST_F(UpDownTest, WrapAroundOnlyWhenAskedFor) {
  spinner_.SetWrap(true);
  Press(false);
  EXPECT_EQ(spinner_.Position(), 4);
  EXPECT_EQ(clicks_.size(), 1u);
}

TEST_F(UpDownTest, PositionFromCodeIsClampedAndRaisesNothing) {
  spinner_.SetPosition(9);
  EXPECT_EQ(spinner_.Position(), 4);
  spinner_.SetPosition(-3);
  EXPECT_EQ(spinner_.Position(), 1);
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(UpDownTest, ArrowKeysStepWhenFocused) {
  spinner_.setFocus();
  QTest::keyClick(&spinner_, Qt::Key_Up);
  QTest::keyClick(&spinner_, Qt::Key_Down);
  QTest::keyClick(&spinner_, Qt::Key_Down);
  EXPECT_EQ(spinner_.Position(), 1);
  EXPECT_EQ(clicks_, (std::vector<Button>{Button::btNext, Button::btPrev}));
}

TEST_F(UpDownTest, HoldingAnArrowRepeatsTheStep) {
  QTest::mousePress(&spinner_, Qt::LeftButton, Qt::NoModifier, QPoint(6, 3));
  QTest::qWait(700);
  QTest::mouseRelease(&spinner_, Qt::LeftButton, Qt::NoModifier, QPoint(6, 3));
  EXPECT_EQ(spinner_.Position(), 4);
  const std::size_t steps = clicks_.size();
  QTest::qWait(300);
  EXPECT_EQ(clicks_.size(), steps) << "no more steps after the release";
}

}  // namespace
}  // namespace tilvaro

namespace tilvaro {
namespace {

TEST_F(UpDownTest, EachPressOfADoubleClickStepsOnce) {
  QTest::mouseDClick(spinner_.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 3));
  EXPECT_EQ(spinner_.Position(), 3);
  EXPECT_EQ(clicks_.size(), 2u);
}

}  // namespace
}  // namespace tilvaro
