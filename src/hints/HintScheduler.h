#pragma once
// HintScheduler: when the application's hint is due, shows and goes, without any Qt.
//
// The widget side reports what the pointer rests on (the control whose hint would show, or none),
// presses and deactivation, and calls TimerDue once the clock reaches Deadline(). Each input
// returns what to do with the hint window. Times are milliseconds on any monotonic clock.
//
//   - Resting on a hinted control, the hint is due HintPause after the pointer last moved.
//   - While a hint shows, or within HintReshowPeriod after one went because the pointer left its
//     control, moving to another hinted control shows that one after HintShortPause.
//   - A shown hint goes after HintHidePause, when the pointer leaves its control, on a key press
//     or mouse press, and when the application is deactivated (the last three cancel: the next
//     hint takes the full pause again). After the time-out the pointer must leave the control
//     before the same hint can show again.

#include <cstdint>
#include <optional>

namespace tilvaro {

struct HintTimings {
  int HintPause = 500;         // rest before the first hint shows
  int HintShortPause = 50;     // rest before the next hint while hints are showing
  int HintHidePause = 2500;    // how long a shown hint stays
  int HintReshowPeriod = 250;  // after a hint went, how long the next one still counts as "next"
};

class HintScheduler {
 public:
  using Control = const void*;  // identity of a control; null: no hinted control
  using Time = std::int64_t;

  enum class Action { None, Show, Hide };
  struct Effect {
    Action action = Action::None;
    Control control = nullptr;  // the control whose hint to show
  };

  explicit HintScheduler(HintTimings timings = {}) : timings_(timings) {}

  void SetTimings(const HintTimings& timings) { timings_ = timings; }
  const HintTimings& Timings() const { return timings_; }

  // The pointer moved and is now over `control` (null: over nothing that shows a hint).
  Effect PointerMoved(Control control, Time now);
  // A key press, a mouse press or the application's deactivation.
  Effect Cancel();
  // The clock reached Deadline().
  Effect TimerDue(Time now);
  // The hint that Show asked for had nothing to show (no text, or refused): it counts as not
  // shown, and the pointer must leave the control before it is tried again.
  void ShowRefused();

  // When TimerDue should be called next; none when nothing is pending.
  std::optional<Time> Deadline() const;

  bool HintShowing() const { return state_ == State::Showing; }
  Control CurrentControl() const { return control_; }

 private:
  enum class State {
    Idle,     // no control
    Waiting,  // control's hint due at deadline_
    Showing,  // control's hint shows until deadline_
    Resting,  // pointer stays on control after its hint went or was refused
    Grace,    // a hint just went; until deadline_ the next one comes quickly
  };
  Effect StartWaiting(Control control, Time now, int pause);

  HintTimings timings_;
  State state_ = State::Idle;
  Control control_ = nullptr;
  Time deadline_ = 0;
  int pause_ = 0;          // the pause of the current wait
  bool active_ = false;    // Resting: the hint had shown, so the next one is quick
};

}  // namespace tilvaro
