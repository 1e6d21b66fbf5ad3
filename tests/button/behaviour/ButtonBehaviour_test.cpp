// The toolbar button's rules, driven input by input without any widget or application.
#include "button/ButtonBehaviour.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// One row: a button set up by `props`, a sequence of inputs, the state after
// it, and the effects that the last input must (and must not) give.
struct Row {
  const char* name;
  ButtonProps props;
  std::vector<ButtonInput> inputs;
  S state;
  std::vector<E> lastHas;
  std::vector<E> lastLacks;
};

template <class F>
ButtonProps With(F set) {
  ButtonProps p;
  set(p);
  return p;
}
ButtonProps Group(bool allowAllUp = false) {
  return With([&](ButtonProps& p) { p.groupIndex = 1, p.allowAllUp = allowAllUp; });
}
const ButtonProps kRepeating = With([](ButtonProps& p) { p.repeating = true; });

const ButtonInput kEnter = In(K::PointerEntered);
const ButtonInput kLeave = In(K::PointerLeft);
const ButtonInput kPress = In(K::PressFace);
const ButtonInput kOn = In(K::Move, true);
const ButtonInput kOff = In(K::Move, false);
const ButtonInput kReleaseOn = In(K::ReleaseLeft, true);
const ButtonInput kReleaseOff = In(K::ReleaseLeft, false);
const ButtonInput kDisable{K::SetEnabled, false, false}, kEnable{K::SetEnabled, false, true};
const ButtonInput kSetDown{K::SetDown, false, true}, kSetUp{K::SetDown, false, false};
// A whole click, as the widget feeds it.
const ButtonInput kClickBegin = In(K::ClickBegin), kClickEnd = In(K::ClickEnd);

TEST(ButtonTable, Transitions) {
  const Row rows[] = {
      {"EnterMakesHotWithoutErase", {}, {kEnter}, S::Hot, {E::RaiseMouseEnter, E::RedrawNoErase}, {E::RedrawErase}},
      {"EnterOnNonFlatDoesNotRedraw", With([](ButtonProps& p) { p.flat = false; }), {kEnter}, S::Hot,
       {E::RaiseMouseEnter}, {E::RedrawNoErase, E::RedrawErase}},
      {"LeaveEndsHot", {}, {kEnter, kLeave}, S::Up, {E::RaiseMouseExit, E::StopLeaveTracking, E::RedrawErase}, {}},
      {"LeaveTimerSeesPointerStillOver", {}, {kEnter, In(K::LeaveTimerTick, true)}, S::Hot, {}, {E::RaiseMouseExit}},
      {"LeaveTimerSeesPointerGone", {}, {kEnter, In(K::LeaveTimerTick, false)}, S::Up, {E::RaiseMouseExit}, {}},
      {"DeactivationEndsHot", {}, {kEnter, In(K::AppDeactivated)}, S::Up, {E::RaiseMouseExit}, {}},
      {"DeactivationKeepsHotWhenShownInactive", With([](ButtonProps& p) { p.showBorderWhenInactive = true; }),
       {kEnter, In(K::AppDeactivated)}, S::Hot, {}, {E::RaiseMouseExit}},
      {"PressShowsDown", {}, {kEnter, kPress}, S::Down, {E::RaiseMouseDown, E::RedrawErase}, {E::Click}},
      {"DragOffRaisesFace", {}, {kEnter, kPress, kOff}, S::Up, {E::RedrawErase}, {}},
      {"LeaveWhileHeldIsIgnored", {}, {kEnter, kPress, kOff, kLeave}, S::Up, {}, {E::RaiseMouseExit}},
      {"DragBackPressesAgain", {}, {kEnter, kPress, kOff, kOn}, S::Down, {E::RedrawErase}, {}},
      {"ReleaseOnFaceClicks", {}, {kEnter, kPress, kReleaseOn}, S::Down, {E::RaiseMouseUp, E::Click}, {}},
      {"ReleaseOffFaceClicksNothing", {}, {kEnter, kPress, kOff, kReleaseOff}, S::Up, {E::RaiseMouseExit},
       {E::Click}},
      {"RightPressMarksHotOnly", {}, {In(K::PressOther)}, S::Hot, {E::RaiseMouseDown}, {E::Click}},
      {"RightReleaseUndoesHot", {}, {In(K::PressOther), ButtonInput{K::ReleaseOther, false, true}}, S::Up,
       {E::RaiseMouseUp, E::RaiseMouseExit}, {E::Click}},
      {"MiddleReleaseKeepsHot", {}, {In(K::PressOther), ButtonInput{K::ReleaseOther, false, false}}, S::Hot,
       {E::RaiseMouseUp}, {E::RaiseMouseExit}},
      {"CancelModeEndsHeldPress", {}, {kEnter, kPress, In(K::CancelMode)}, S::Up,
       {E::ReleaseCapture, E::RaiseMouseExit}, {}},
      {"DisableClearsEverything", {}, {kEnter, kPress, kDisable}, S::Disabled,
       {E::StopLeaveTracking, E::ReleaseCapture, E::RedrawErase}, {}},
      {"DisabledIgnoresPointer", {}, {kDisable, kEnter, kPress}, S::Disabled, {E::RaiseMouseDown},
       {E::Click, E::RedrawErase}},
      {"EnableShowsLatchedGroupMember", Group(), {kClickBegin, kClickEnd, kDisable, kEnable}, S::Latched,
       {E::RedrawErase}, {}},
      {"ClickLatchesGroupMember", Group(), {kClickBegin, kClickEnd}, S::Latched, {}, {}},
      {"ClickOnLatchedStaysLatched", Group(), {kClickBegin, kClickEnd, kEnter, kPress, kReleaseOn}, S::Latched,
       {E::Click}, {}},
      {"DownWithoutGroupStaysUp", {}, {kSetDown}, S::Up, {}, {E::RedrawErase}},
      {"SetDownLatchesAndSyncs", Group(), {kSetDown}, S::Latched, {E::SyncGroup, E::RedrawErase}, {}},
      {"LatchedCannotBeRaisedWithoutAllowAllUp", Group(), {kClickBegin, kClickEnd, kSetUp}, S::Latched, {},
       {E::RedrawErase}},
      {"AllowAllUpRaises", Group(true), {kClickBegin, kClickEnd, kSetUp}, S::Up, {E::RedrawErase}, {E::SyncGroup}},
      {"OtherMemberLatched", Group(), {kClickBegin, kClickEnd, In(K::GroupMemberLatched)}, S::Up, {E::RedrawErase},
       {}},
      {"OtherMemberLatchedRaisesADisabledOne", Group(), {kClickBegin, kClickEnd, kDisable, In(K::GroupMemberLatched)},
       S::Up, {E::RedrawErase}, {}},
      {"RepeatingPressClicksAndStartsTimer", kRepeating, {kEnter, kPress}, S::Down, {E::Click, E::StartRepeat}, {}},
      {"RepeatTickOnFaceClicks", kRepeating, {kEnter, kPress, In(K::RepeatTick, true)}, S::Down,
       {E::RepeatAtInterval, E::Click}, {E::PauseRepeat}},
      {"RepeatTickOffFacePauses", kRepeating, {kEnter, kPress, kOff, In(K::RepeatTick, false)}, S::Up,
       {E::PauseRepeat}, {E::Click}},
      {"MoveBackResumesRepeat", kRepeating, {kEnter, kPress, kOff, kOn}, S::Down, {E::ResumeRepeat}, {}},
      {"RepeatingReleaseAddsNoClick", kRepeating, {kEnter, kPress, kReleaseOn}, S::Up, {E::StopRepeat}, {E::Click}},
      {"RepeatingClickIsOnClickOnly", kRepeating, {In(K::ClickBegin)}, S::Up, {E::RaiseClickOnly},
       {E::ModalResultClick}},
      {"KeyboardClickShowsFacePressed", {}, {In(K::DialogKey), In(K::ClickBegin)}, S::Down,
       {E::ModalResultClick, E::RedrawErase}, {}},
      {"DoubleClickOnPlainReportsNothing", {}, {kEnter, kPress, In(K::DoubleClick)}, S::Down, {},
       {E::RaiseDblClick}},
      {"DoubleClickOnLatchedReports", Group(), {kClickBegin, kClickEnd, kPress, In(K::DoubleClick)}, S::Latched,
       {E::RaiseDblClick}, {}},
      {"DropdownKeyClicksTheArrowPart", With([](ButtonProps& p) { p.hasDropdown = p.dropdownCombo = true; }),
       {In(K::DropdownKey), In(K::ClickBegin)}, S::Down, {E::ShowDropdown}, {E::ModalResultClick}},
      {"DropdownKeyWithoutDropdownDoesNothing", {}, {In(K::DropdownKey)}, S::Up, {}, {E::Click}},
      {"AcceleratorOffForGlyphOnly", With([](ButtonProps& p) { p.glyphOnly = true; }), {In(K::Accelerator)}, S::Up,
       {}, {E::Click}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ButtonBehaviour b;
    b.props = row.props;
    ButtonEffects last;
    for (const ButtonInput& input : row.inputs) last = b.Handle(input);
    EXPECT_EQ(b.State(), row.state);
    for (E e : row.lastHas) EXPECT_TRUE(Has(last, e)) << "missing effect " << static_cast<int>(e);
    for (E e : row.lastLacks) EXPECT_FALSE(Has(last, e)) << "unexpected effect " << static_cast<int>(e);
  }
}

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
  for (const ButtonInput& in : {kClickBegin, kClickEnd}) b.Handle(in);
  ASSERT_EQ(b.State(), S::Latched);
  EXPECT_TRUE(FaceOf(b, false, true).checker);
  EXPECT_FALSE(FaceOf(b, false, false).checker) << "HighlightWhenDown off";
  b.Handle(kEnter);
  EXPECT_FALSE(FaceOf(b, false, true).checker) << "a hot flat latched face shows no checker";
  EXPECT_TRUE(FaceOf(b, false, true).facePushed);
}

}  // namespace
}  // namespace tilvaro
