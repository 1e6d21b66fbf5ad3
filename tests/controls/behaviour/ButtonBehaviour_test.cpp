// The toolbar button's rules, driven input by input without any widget or application.
#include "controls/ButtonBehaviour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tilvaro {
namespace {

using K = ButtonInputKind;
using E = ButtonEffect;
using S = ButtonState;

ButtonInput In(K kind, bool inside = false) { return ButtonInput{kind, inside, inside}; }

bool Has(const ButtonEffects& effects, E effect) {
  return std::find(effects.begin(), effects.end(), effect) != effects.end();
}

// Feeds a whole click as the widget does: begin, then the end.
ButtonEffects RunClick(ButtonBehaviour& b) {
  ButtonEffects all = b.Handle(In(K::ClickBegin));
  const ButtonEffects end = b.Handle(In(K::ClickEnd));
  all.insert(all.end(), end.begin(), end.end());
  return all;
}

// One row: a button set up by `props` and a `down` start, a sequence of inputs, the state after
// it, and the effects that the last input must (and must not) give.
struct Row {
  std::string name;
  ButtonProps props;
  bool startLatched;
  std::vector<ButtonInput> inputs;
  S state;
  std::vector<E> lastHas;
  std::vector<E> lastLacks;
};

ButtonProps Group(bool allowAllUp = false) {
  ButtonProps p;
  p.groupIndex = 1;
  p.allowAllUp = allowAllUp;
  return p;
}
ButtonProps Repeating() {
  ButtonProps p;
  p.repeating = true;
  return p;
}
ButtonProps NonFlat() {
  ButtonProps p;
  p.flat = false;
  return p;
}

class StateTable : public ::testing::TestWithParam<Row> {};

TEST_P(StateTable, Transition) {
  const Row& row = GetParam();
  ButtonBehaviour b;
  b.props = row.props;
  if (row.startLatched) RunClick(b);
  ButtonEffects last;
  for (const ButtonInput& input : row.inputs) last = b.Handle(input);
  EXPECT_EQ(b.State(), row.state);
  for (E e : row.lastHas) EXPECT_TRUE(Has(last, e)) << "missing effect " << static_cast<int>(e);
  for (E e : row.lastLacks) EXPECT_FALSE(Has(last, e)) << "unexpected effect " << static_cast<int>(e);
}

const ButtonInput kEnter = In(K::PointerEntered);
const ButtonInput kLeave = In(K::PointerLeft);
const ButtonInput kPress = In(K::PressFace);
const ButtonInput kOn = In(K::Move, true);
const ButtonInput kOff = In(K::Move, false);
const ButtonInput kReleaseOn = In(K::ReleaseLeft, true);
const ButtonInput kReleaseOff = In(K::ReleaseLeft, false);

INSTANTIATE_TEST_SUITE_P(
    Button, StateTable,
    ::testing::Values(
        Row{"EnterMakesHotWithoutErase", {}, false, {kEnter}, S::Hot,
            {E::RaiseMouseEnter, E::RedrawNoErase}, {E::RedrawErase}},
        Row{"EnterOnNonFlatDoesNotRedraw", NonFlat(), false, {kEnter}, S::Hot,
            {E::RaiseMouseEnter}, {E::RedrawNoErase, E::RedrawErase}},
        Row{"LeaveEndsHot", {}, false, {kEnter, kLeave}, S::Up,
            {E::RaiseMouseExit, E::StopLeaveTracking, E::RedrawErase}, {}},
        Row{"LeaveTimerSeesPointerStillOver", {}, false, {kEnter, In(K::LeaveTimerTick, true)}, S::Hot,
            {}, {E::RaiseMouseExit}},
        Row{"LeaveTimerSeesPointerGone", {}, false, {kEnter, In(K::LeaveTimerTick, false)}, S::Up,
            {E::RaiseMouseExit}, {}},
        Row{"DeactivationEndsHot", {}, false, {kEnter, In(K::AppDeactivated)}, S::Up,
            {E::RaiseMouseExit}, {}},
        Row{"DeactivationKeepsHotWhenShownInactive",
            [] { ButtonProps p; p.showBorderWhenInactive = true; return p; }(), false,
            {kEnter, In(K::AppDeactivated)}, S::Hot, {}, {E::RaiseMouseExit}},
        Row{"PressShowsDown", {}, false, {kEnter, kPress}, S::Down,
            {E::RaiseMouseDown, E::RedrawErase}, {E::Click}},
        Row{"DragOffRaisesFace", {}, false, {kEnter, kPress, kOff}, S::Up, {E::RedrawErase}, {}},
        Row{"LeaveWhileHeldIsIgnored", {}, false, {kEnter, kPress, kOff, kLeave}, S::Up, {},
            {E::RaiseMouseExit}},
        Row{"DragBackPressesAgain", {}, false, {kEnter, kPress, kOff, kOn}, S::Down, {E::RedrawErase}, {}},
        Row{"ReleaseOnFaceClicks", {}, false, {kEnter, kPress, kReleaseOn}, S::Down,
            {E::RaiseMouseUp, E::Click}, {}},
        Row{"ReleaseOffFaceClicksNothing", {}, false, {kEnter, kPress, kOff, kReleaseOff}, S::Up,
            {E::RaiseMouseExit}, {E::Click}},
        Row{"RightPressMarksHotOnly", {}, false, {In(K::PressOther)}, S::Hot, {E::RaiseMouseDown},
            {E::Click}},
        Row{"RightReleaseUndoesHot", {}, false, {In(K::PressOther), In(K::ReleaseOther)}, S::Up,
            {E::RaiseMouseUp, E::RaiseMouseExit}, {E::Click}},
        Row{"CancelModeEndsHeldPress", {}, false, {kEnter, kPress, In(K::CancelMode)}, S::Up,
            {E::ReleaseCapture, E::RaiseMouseExit}, {}},
        Row{"DisableClearsEverything", {}, false, {kEnter, kPress, ButtonInput{K::SetEnabled, false, false}},
            S::Disabled, {E::StopLeaveTracking, E::ReleaseCapture, E::RedrawErase}, {}},
        Row{"DisabledIgnoresPointer", {}, false,
            {ButtonInput{K::SetEnabled, false, false}, kEnter, kPress}, S::Disabled,
            {E::RaiseMouseDown}, {E::Click, E::RedrawErase}},
        Row{"EnableShowsLatchedGroupMember", Group(), true,
            {ButtonInput{K::SetEnabled, false, false}, ButtonInput{K::SetEnabled, false, true}},
            S::Latched, {E::RedrawErase}, {}},
        Row{"ClickLatchesGroupMember", Group(), true, {}, S::Latched, {}, {}},
        Row{"ClickOnLatchedStaysLatched", Group(), true, {kEnter, kPress, kReleaseOn}, S::Latched,
            {E::Click}, {}},
        Row{"DownWithoutGroupStaysUp", {}, false, {ButtonInput{K::SetDown, false, true}}, S::Up, {},
            {E::RedrawErase}},
        Row{"SetDownLatchesAndSyncs", Group(), false, {ButtonInput{K::SetDown, false, true}}, S::Latched,
            {E::SyncGroup, E::RedrawErase}, {}},
        Row{"LatchedCannotBeRaisedWithoutAllowAllUp", Group(), true,
            {ButtonInput{K::SetDown, false, false}}, S::Latched, {}, {E::RedrawErase}},
        Row{"AllowAllUpRaises", Group(true), true, {ButtonInput{K::SetDown, false, false}}, S::Up,
            {E::RedrawErase}, {E::SyncGroup}},
        Row{"OtherMemberLatched", Group(), true, {In(K::GroupMemberLatched)}, S::Up, {E::RedrawErase}, {}},
        Row{"RepeatingPressClicksAndStartsTimer", Repeating(), false, {kEnter, kPress}, S::Down,
            {E::Click, E::StartRepeat}, {}},
        Row{"RepeatTickOnFaceClicks", Repeating(), false, {kEnter, kPress, In(K::RepeatTick, true)},
            S::Down, {E::RepeatAtInterval, E::Click}, {E::PauseRepeat}},
        Row{"RepeatTickOffFacePauses", Repeating(), false, {kEnter, kPress, kOff, In(K::RepeatTick, false)},
            S::Up, {E::PauseRepeat}, {E::Click}},
        Row{"MoveBackResumesRepeat", Repeating(), false, {kEnter, kPress, kOff, kOn}, S::Down,
            {E::ResumeRepeat}, {}},
        Row{"RepeatingReleaseAddsNoClick", Repeating(), false, {kEnter, kPress, kReleaseOn}, S::Up,
            {E::StopRepeat}, {E::Click}},
        Row{"RepeatingClickIsOnClickOnly", Repeating(), false, {In(K::ClickBegin)}, S::Up,
            {E::RaiseClickOnly}, {E::ModalResultClick}},
        Row{"KeyboardClickShowsFacePressed", {}, false, {In(K::DialogKey), In(K::ClickBegin)}, S::Down,
            {E::ModalResultClick, E::RedrawErase}, {}},
        Row{"AcceleratorOffForGlyphOnly",
            [] { ButtonProps p; p.glyphOnly = true; return p; }(), false, {In(K::Accelerator)}, S::Up,
            {}, {E::Click}}),
    [](const ::testing::TestParamInfo<Row>& row) { return row.param.name; });

TEST(ButtonClick, EndsUpAndHotTrackingEndsWithTheClick) {
  ButtonBehaviour b;
  b.Handle(kEnter);
  b.Handle(kPress);
  EXPECT_TRUE(Has(b.Handle(kReleaseOn), E::Click));
  const ButtonEffects begin = b.Handle(In(K::ClickBegin));
  EXPECT_TRUE(b.ClickInProgress());
  EXPECT_EQ(b.State(), S::Down) << "a running click keeps the face pressed after the pointer left";
  EXPECT_TRUE(Has(begin, E::RaiseMouseExit));
  b.Handle(In(K::ClickEnd));
  EXPECT_FALSE(b.ClickInProgress());
  EXPECT_EQ(b.State(), S::Up);
  EXPECT_FALSE(b.PointerOver());
}

TEST(ButtonClick, DoubleClickReportsOnlyOnLatchedButton) {
  ButtonBehaviour plain;
  plain.Handle(kEnter);
  plain.Handle(kPress);
  EXPECT_FALSE(Has(plain.Handle(In(K::DoubleClick)), E::RaiseDblClick));

  ButtonBehaviour member;
  member.props = Group();
  RunClick(member);
  member.Handle(kPress);
  EXPECT_TRUE(Has(member.Handle(In(K::DoubleClick)), E::RaiseDblClick));
}

TEST(ButtonDropdown, ArrowPressOpensAtOnceAndOnlyTheComboArrowIsPushed) {
  ButtonBehaviour b;
  b.props.hasDropdown = true;
  b.props.dropdownCombo = true;
  b.Handle(kEnter);
  const ButtonEffects press = b.Handle(In(K::PressArrow));
  EXPECT_TRUE(Has(press, E::Click));
  EXPECT_FALSE(b.LeftButtonHeld()) << "the release after the menu gives no second click";
  EXPECT_TRUE(Has(b.Handle(In(K::ClickBegin)), E::ShowDropdown));
  const ButtonFace face = FaceOf(b, false, true);
  EXPECT_TRUE(face.arrowPushed);
  EXPECT_FALSE(face.facePushed);
  b.Handle(In(K::ClickEnd));
  b.Handle(In(K::PressEnd));
  EXPECT_FALSE(b.ArrowPartPressed());

  // The main part of a combo is an ordinary button: the keyboard gives a plain click.
  EXPECT_TRUE(Has(b.Handle(In(K::ClickBegin)), E::ModalResultClick));
}

TEST(ButtonGeometry, ComboFaceAndArrowPart) {
  ButtonProps combo;
  combo.hasDropdown = true;
  combo.dropdownCombo = true;
  // Width 40, arrow 9: the face ends at x 29, the arrow part takes x 29..38.
  EXPECT_TRUE(PointInFace(combo, 40, 22, 9, 28, 5));
  EXPECT_FALSE(PointInFace(combo, 40, 22, 9, 29, 5));
  EXPECT_FALSE(PressTargetsArrow(combo, 40, 9, 28));
  EXPECT_TRUE(PressTargetsArrow(combo, 40, 9, 29));
  ButtonProps plain = combo;
  plain.dropdownCombo = false;
  EXPECT_TRUE(PointInFace(plain, 40, 22, 9, 39, 21));
  EXPECT_FALSE(PointInFace(plain, 40, 22, 9, 40, 0));
  EXPECT_TRUE(PressTargetsArrow(plain, 40, 9, 0));
}

TEST(ButtonFaceTable, FrameAndCheckerFollowTheState) {
  ButtonBehaviour b;
  EXPECT_FALSE(FaceOf(b, false, true).drawFrame) << "flat and idle: no frame";
  b.props.flat = false;
  EXPECT_TRUE(FaceOf(b, false, true).drawFrame);
  EXPECT_FALSE(FaceOf(b, true, true).drawFrame) << "NoBorder";
  b.props.flat = true;
  b.props.groupIndex = 1;
  RunClick(b);
  ASSERT_EQ(b.State(), S::Latched);
  EXPECT_TRUE(FaceOf(b, false, true).checker);
  EXPECT_FALSE(FaceOf(b, false, false).checker) << "HighlightWhenDown off";
  b.Handle(kEnter);
  EXPECT_FALSE(FaceOf(b, false, true).checker) << "a hot flat latched face shows no checker";
  EXPECT_TRUE(FaceOf(b, false, true).facePushed);
}

}  // namespace
}  // namespace tilvaro
