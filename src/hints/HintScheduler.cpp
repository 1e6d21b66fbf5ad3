#include "hints/HintScheduler.h"

namespace tilvaro {

HintScheduler::Effect HintScheduler::StartWaiting(Control control, Time now, int pause) {
  state_ = State::Waiting;
  control_ = control;
  pause_ = pause;
  deadline_ = now + pause;
  return {};
}

HintScheduler::Effect HintScheduler::PointerMoved(Control control, Time now) {
  if (state_ == State::Grace && now >= deadline_) state_ = State::Idle;
  switch (state_) {
    case State::Idle:
      if (control != nullptr) return StartWaiting(control, now, timings_.HintPause);
      return {};
    case State::Grace:
      if (control != nullptr) return StartWaiting(control, now, timings_.HintShortPause);
      return {};
    case State::Waiting:
      // Every move restarts the wait: the hint is due once the pointer has come to rest.
      if (control != nullptr) return StartWaiting(control, now, pause_);
      state_ = State::Idle;
      control_ = nullptr;
      return {};
    case State::Showing:
    case State::Resting: {
      if (control == control_) return {};
      const bool quick = state_ == State::Showing || active_;
      const Effect effect = state_ == State::Showing ? Effect{Action::Hide, nullptr} : Effect{};
      if (control != nullptr) {
        StartWaiting(control, now, quick ? timings_.HintShortPause : timings_.HintPause);
      } else if (quick) {
        state_ = State::Grace;
        control_ = nullptr;
        deadline_ = now + timings_.HintReshowPeriod;
      } else {
        state_ = State::Idle;
        control_ = nullptr;
      }
      return effect;
    }
  }
  return {};
}

HintScheduler::Effect HintScheduler::Cancel() {
  const bool wasShowing = state_ == State::Showing;
  state_ = State::Idle;
  control_ = nullptr;
  return wasShowing ? Effect{Action::Hide, nullptr} : Effect{};
}

HintScheduler::Effect HintScheduler::TimerDue(Time now) {
  if (now < deadline_) return {};
  switch (state_) {
    case State::Waiting:
      state_ = State::Showing;
      deadline_ = now + timings_.HintHidePause;
      return {Action::Show, control_};
    case State::Showing:
      state_ = State::Resting;
      active_ = true;
      return {Action::Hide, nullptr};
    case State::Grace:
      state_ = State::Idle;
      return {};
    case State::Idle:
    case State::Resting:
      return {};
  }
  return {};
}

void HintScheduler::ShowRefused() {
  if (state_ != State::Showing) return;
  state_ = State::Resting;
  active_ = false;
}

std::optional<HintScheduler::Time> HintScheduler::Deadline() const {
  switch (state_) {
    case State::Waiting:
    case State::Showing:
    case State::Grace:
      return deadline_;
    case State::Idle:
    case State::Resting:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tilvaro
