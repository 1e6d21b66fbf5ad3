// When hints show and go: the scheduler on a clock the test sets.
#include <gtest/gtest.h>

#include <utility>

#include "hints/HintScheduler.h"

namespace tilvaro {
namespace {

using Action = HintScheduler::Action;

int newButton, openButton;  // two controls, told apart by their addresses
const HintScheduler::Control kNew = &newButton;
const HintScheduler::Control kOpen = &openButton;
constexpr HintTimings kTimings{500, 25, 5000, 250};

auto Of(const HintScheduler::Effect& effect) { return std::pair(effect.action, effect.control); }

class HintSchedulerTest : public ::testing::Test {
 protected:
  // Runs the clock to `time`, firing every deadline on the way; returns the last effect.
  HintScheduler::Effect RunTo(HintScheduler::Time time) {
    HintScheduler::Effect last;
    while (const auto deadline = scheduler.Deadline()) {
      if (*deadline > time) break;
      const auto effect = scheduler.TimerDue(*deadline);
      if (effect.action != Action::None) last = effect;
    }
    return last;
  }
  // Rests on kNew until its hint shows at 500.
  void ShowNewHint() {
    scheduler.PointerMoved(kNew, 0);
    ASSERT_EQ(Of(RunTo(500)), std::pair(Action::Show, kNew));
  }

  HintScheduler scheduler{kTimings};
};

TEST_F(HintSchedulerTest, HintIsDueHalfASecondAfterThePointerComesToRest) {
  scheduler.PointerMoved(kNew, 0);
  scheduler.PointerMoved(kNew, 300);  // still moving over the control: the wait starts again
  EXPECT_EQ(RunTo(799).action, Action::None);
  EXPECT_EQ(Of(RunTo(800)), std::pair(Action::Show, kNew));
  EXPECT_TRUE(scheduler.HintShowing());
}

TEST_F(HintSchedulerTest, ShownHintGoesAfterFiveSecondsAndStaysAwayOverTheSameControl) {
  ShowNewHint();
  EXPECT_EQ(RunTo(5499).action, Action::None);
  EXPECT_EQ(RunTo(5500).action, Action::Hide);
  scheduler.PointerMoved(kNew, 6000);
  EXPECT_EQ(scheduler.Deadline(), std::nullopt);
  // The next control still counts as "next": its hint comes after the short pause.
  scheduler.PointerMoved(kOpen, 7000);
  EXPECT_EQ(scheduler.Deadline(), 7025);
}

TEST_F(HintSchedulerTest, MovingToAnotherHintedControlShowsItsHintAfterTheShortPause) {
  ShowNewHint();
  EXPECT_EQ(scheduler.PointerMoved(kOpen, 1000).action, Action::Hide);
  EXPECT_EQ(RunTo(1024).action, Action::None);
  EXPECT_EQ(Of(RunTo(1025)), std::pair(Action::Show, kOpen));
}

TEST_F(HintSchedulerTest, LeavingForAMomentKeepsTheShortPauseThenTheFullOneReturns) {
  ShowNewHint();
  EXPECT_EQ(scheduler.PointerMoved(nullptr, 1000).action, Action::Hide);
  scheduler.PointerMoved(kOpen, 1249);
  EXPECT_EQ(scheduler.Deadline(), 1249 + 25);

  HintScheduler later{kTimings};
  later.PointerMoved(kNew, 0);
  later.TimerDue(500);
  later.PointerMoved(nullptr, 1000);
  later.TimerDue(1250);  // the moment is over
  later.PointerMoved(kOpen, 1300);
  EXPECT_EQ(later.Deadline(), 1800);
}

TEST_F(HintSchedulerTest, KeyOrMousePressOrDeactivationHidesAndTheNextHintTakesTheFullPause) {
  ShowNewHint();
  EXPECT_EQ(scheduler.Cancel().action, Action::Hide);
  EXPECT_EQ(scheduler.Deadline(), std::nullopt);
  scheduler.PointerMoved(kNew, 1000);  // the pointer rests on after the click
  EXPECT_EQ(scheduler.Deadline(), 1500);
  EXPECT_EQ(scheduler.Cancel().action, Action::None);  // nothing showing: nothing to hide
}

TEST_F(HintSchedulerTest, RefusedHintIsNotTriedAgainUntilThePointerLeaves) {
  ShowNewHint();
  scheduler.ShowRefused();
  EXPECT_FALSE(scheduler.HintShowing());
  scheduler.PointerMoved(kNew, 600);
  EXPECT_EQ(scheduler.Deadline(), std::nullopt);
  scheduler.PointerMoved(kOpen, 700);  // nothing showed, so no short pause
  EXPECT_EQ(scheduler.Deadline(), 1200);
}

}  // namespace
}  // namespace tilvaro
