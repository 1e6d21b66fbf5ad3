#include "button/ReplayedClick.h"

namespace tilvaro {

void ReplayedClick::PressRecorded(int button) {
  state_ = State::Recorded;
  button_ = button;
  releasedWhileClosing_ = false;
}

bool ReplayedClick::PressHandedOn(bool heldNow) {
  if (state_ != State::Recorded) return false;
  if (releasedWhileClosing_) {
    state_ = State::Idle;  // the real release went to the closing menu
    return true;
  }
  if (!heldNow) {
    state_ = State::DropRelease;  // released, but the release has not reached the program (yet)
    return true;
  }
  state_ = State::OwesRelease;
  return false;
}

void ReplayedClick::PressDropped() {
  if (state_ == State::Recorded) state_ = State::Idle;
}

ReplayedClick::Release ReplayedClick::RealRelease(int button) {
  if (button != button_) return Release::Pass;
  switch (state_) {
    case State::Recorded:
      releasedWhileClosing_ = true;
      return Release::Pass;
    case State::OwesRelease:
      state_ = State::Idle;
      return Release::Replace;
    case State::DropRelease:
      state_ = State::Idle;
      return Release::Drop;
    case State::Idle:
      break;
  }
  return Release::Pass;
}

bool ReplayedClick::RealPress(int button) {
  if (button != button_ || state_ == State::Idle || state_ == State::Recorded) return false;
  // The release between the two presses never reached the program.
  const bool owed = state_ == State::OwesRelease;
  state_ = State::Idle;
  return owed;
}

}  // namespace tilvaro
