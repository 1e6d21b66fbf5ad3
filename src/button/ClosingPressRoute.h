#pragma once
// ClosingPressRoute: how the press that closed a drop-down menu reaches its target, apart from
// any widget toolkit.
//
// The target gets a real pointer grab as soon as the press is handed on, so that the moves and
// the release that follow reach it wherever the pointer goes; the press itself follows once the
// event loop has run again (the drop-down's click is over by then), or before the next real press
// or release that the window system reports, whichever comes first. If the button is still down
// then, the real release reaches the target through the grab, which ends once that release has
// been delivered; otherwise the target gets the release at once and the grab ends. Presses and
// releases of one button alternate, so a new press ends the wait for the release.
//
// Press is the toolkit's record of the press: it has a `target` and the `button` pressed. The
// caller carries out the returned steps in order and skips those whose target has gone meanwhile.

#include <optional>
#include <vector>

namespace tilvaro {

template <class Press>
class ClosingPressRoute {
 public:
  using Button = decltype(Press::button);

  enum class Do {
    Grab,          // give the target the pointer grab
    DeliverLater,  // call Deliver once the event loop has run again
    SendPress,
    SendRelease,   // where the pointer is now
    EndGrab,
    EndGrabLater,  // once the event being handled has been delivered
  };
  struct Step {
    Do what;
    Press press;
  };
  using Steps = std::vector<Step>;

  // A press or release that the window system reported.
  struct RealEvent {
    bool release;
    Button button;
  };

  // The menu has closed with `press`; `shown`: its target exists and is visible.
  Steps HandOn(const Press& press, bool shown) {
    if (!shown) return {};
    pending_ = press;
    return {{Do::Grab, press}, {Do::DeliverLater, press}};
  }

  // The press handed on, if it still waits to be delivered.
  const Press* Pending() const { return pending_ ? &*pending_ : nullptr; }

  // Time to deliver the pending press: at the turn of the event loop (`real` empty) or before
  // `real`. `shown`: its target is visible; `heldNow`: the window system has the button down.
  Steps Deliver(const std::optional<RealEvent>& real, bool shown, bool heldNow) {
    if (!pending_) return {};
    const Press press = *pending_;
    pending_.reset();
    if (!shown) return {{Do::EndGrab, press}};
    // The real event being handled is this press's own release: it follows through the grab.
    const bool releaseComing = real && real->release && real->button == press.button;
    if (releaseComing || heldNow) {
      grabbed_ = press;
      return {{Do::SendPress, press}};
    }
    return {{Do::SendPress, press}, {Do::SendRelease, press}, {Do::EndGrab, press}};
  }

  // After the pending press, if any, was delivered before it: what `real` does to the grab.
  Steps Real(const RealEvent& real) {
    if (!grabbed_) return {};
    const Press press = *grabbed_;
    if (real.release && real.button != press.button) return {};  // another button's: still waiting
    grabbed_.reset();
    // Its own release goes on through the grab; a new press ends the one before, wherever its
    // release went.
    return {{real.release ? Do::EndGrabLater : Do::EndGrab, press}};
  }

  bool Idle() const { return !pending_ && !grabbed_; }

 private:
  std::optional<Press> pending_;  // handed on, not yet delivered
  std::optional<Press> grabbed_;  // delivered; the target holds the grab until the real release
};

}  // namespace tilvaro
