#pragma once
// ButtonBehaviour: what a toolbar button does with the pointer, the keyboard and its timers,
// apart from any widget toolkit.
//
// The widget turns its events into ButtonInputs and hands them to Handle, which updates the
// button's state and returns the effects to carry out, in order: repaints, events to raise, a
// click to run, the repeat timer to start or stop. A click is two inputs, ClickBegin and
// ClickEnd, with the click's action (a drop-down, or the modal result and OnClick) run by the
// widget between them; ClickEnd always follows unless the button was destroyed meanwhile.
//
// The properties the rules depend on are plain fields in `props`, kept in step by the widget's
// setters. No toolkit header is included, so the rules can be tested without an application.

#include <cstdint>
#include <vector>

#include "glyphs/ButtonTypes.h"

namespace tilvaro {

enum class ButtonInputKind : std::uint8_t {
  PointerEntered,      // the button became the hot button, or a press arrived
  PointerLeft,         // the pointer is no longer over the button
  LeaveTimerTick,      // `inside`: the pointer is still over the button
  AppDeactivated,      // the application lost its active window
  PressFace,           // left press not on the drop-down part
  PressArrow,          // left press that targets the drop-down part
  PressEnd,            // the handling of a left press is over (also when it failed)
  PressOther,          // right or middle press
  DoubleClick,         // follows the second left press of a double-click
  Move,                // pointer move; `inside`: over the face
  ReleaseLeft,         // `inside`: over the face
  ReleaseOther,        // right or middle release; `value`: the right button
  CancelMode,          // the pointer was taken away: a popup or modal loop, a lost grab
  SetEnabled,          // `value`: the control's new enabled state
  SetDown,             // the Down property's setter with `value`
  GroupMemberLatched,  // another member of the group latched: this one goes up
  DialogKey,           // Enter on a Default, Escape on a Cancel button (already checked)
  Accelerator,         // the caption's accelerator character was typed (already matched)
  DropdownKey,         // the drop-down part clicked without the pointer (an assistive tool)
  RepeatTick,          // `inside`: the held pointer is over the face
  ClickBegin,          // a click starts (from a release, a key, a repeat, a drop-down press)
  ClickEnd,            // the click's action is over (also when it failed)
};

struct ButtonInput {
  ButtonInputKind kind;
  bool inside = false;       // LeaveTimerTick, Move, ReleaseLeft, RepeatTick
  bool value = false;        // SetEnabled, SetDown, ReleaseOther
};

enum class ButtonEffect : std::uint8_t {
  RedrawErase,       // repaint, letting the parent erase the background first
  RedrawNoErase,     // repaint over the old image
  RaiseMouseEnter,
  RaiseMouseExit,
  RaiseMouseDown,
  RaiseMouseUp,
  RaiseMouseMove,
  TrackPointer,      // the pointer is on the button: it becomes the hot button unless it is
  RaiseDblClick,
  Click,             // run the whole click (feed ClickBegin, the action, ClickEnd)
  RaiseClickOnly,    // a repeating button's click: OnClick and nothing else
  ShowDropdown,      // the click's action: the drop-down
  ModalResultClick,  // the click's action: hand the modal result to the form, then OnClick
  StartRepeat,       // create the repeat timer with RepeatDelay and start it
  ResumeRepeat,      // start the existing repeat timer again at its interval
  PauseRepeat,       // stop the repeat timer, keeping it
  RepeatAtInterval,  // the repeat timer's interval becomes RepeatInterval
  StopRepeat,        // stop the repeat timer for good: only a new repeating press starts it
  StopLeaveTracking, // if this button is the hot button, stop the leave timer and forget it
  ReleaseCapture,    // give up the pointer
  SyncGroup,         // the other members of the group go up and share AllowAllUp
};

using ButtonEffects = std::vector<ButtonEffect>;

// The properties that the rules read.
struct ButtonProps {
  bool enabled = true;
  bool flat = true;
  int numGlyphs = 1;
  int groupIndex = 0;
  bool allowAllUp = false;
  bool repeating = false;
  bool hasDropdown = false;
  bool dropdownCombo = false;
  bool showBorderWhenInactive = false;
  bool glyphOnly = false;  // DisplayMode is dmGlyphOnly: no accelerator
};

class ButtonBehaviour {
 public:
  ButtonProps props;

  ButtonEffects Handle(const ButtonInput& input);

  ButtonState State() const { return state_; }
  bool Down() const { return down_; }  // the Down property: latched
  bool PointerOver() const { return pointerOver_; }
  bool LeftButtonHeld() const { return leftButtonHeld_; }
  bool ClickInProgress() const { return clickInProgress_; }
  bool ArrowPartPressed() const { return arrowPartPressed_; }

 private:
  void PointerEntered(ButtonEffects& out);
  void PointerLeft(ButtonEffects& out);
  void SetDown(bool value, ButtonEffects& out);
  void CancelMode(ButtonEffects& out);
  void StopRepeat(ButtonEffects& out);
  ButtonState UpOrLatched() const;

  ButtonState state_ = ButtonState::Up;
  bool down_ = false;
  bool pointerOver_ = false;
  bool leftButtonHeld_ = false;
  bool clickInProgress_ = false;
  bool arrowPartPressed_ = false;
  bool repeatTimer_ = false;
};

// --- Geometry and face, as pure functions of the properties ---------------------------------

// A split button with a drop-down shows a separate arrow part at its right edge.
inline bool ShownCombo(const ButtonProps& props) { return props.dropdownCombo && props.hasDropdown; }

// True when (x, y) lies on the face: the whole client area, less a shown combo's arrow part and
// the two columns after it.
bool PointInFace(const ButtonProps& props, int width, int height, int arrowWidth, int x, int y);

// True when a left press at x targets the drop-down part: every press on a plain drop-down
// button, and a press on a combo's arrow part.
bool PressTargetsArrow(const ButtonProps& props, int width, int arrowWidth, int x);

// What the face shows for the current state.
struct ButtonFace {
  bool faceDown = false;     // Down or Latched
  bool facePushed = false;   // the main part is drawn sunken
  bool arrowPushed = false;  // a combo's arrow part is drawn sunken
  bool drawFrame = false;
  bool checker = false;      // a latched face filled with the checker pattern
};
ButtonFace FaceOf(const ButtonBehaviour& behaviour, bool noBorder, bool highlightWhenDown);

}  // namespace tilvaro
