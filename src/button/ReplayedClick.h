#pragma once
// ReplayedClick: decides how the press that closed a drop-down menu reaches its target as one
// whole click, without any Qt.
//
// The menu swallows that press; once it has closed, the press is handed to the widget under the
// pointer again. Its release is the hard part: the window system may report it while the menu is
// still closing (it then went to the menu), after the handed-on press (it must reach the same
// target, never before the press), or not at all (a release during the popup's pointer grab can
// be lost on its way; only the window system still knows the button is up). So the target gets
// its release from here, right after the press when the button is already up, otherwise in place
// of the next real release; a real release that still comes after that is dropped. Presses and
// releases of one button alternate, so a real press of the button ends any wait for its release.

namespace tilvaro {

class ReplayedClick {
 public:
  // What to do with a real release that the window system reports.
  enum class Release {
    Pass,     // not ours: deliver it as usual
    Drop,     // the target already had its release: swallow it
    Replace,  // swallow it and hand the target its release now
  };

  // The open menu saw the press of `button` that closes it.
  void PressRecorded(int button);
  // The menu has closed and the recorded press was handed on; `heldNow` tells whether the window
  // system has the button down at this moment. True: hand the release on right after the press.
  bool PressHandedOn(bool heldNow);
  // The menu has closed and the recorded press went to nobody (outside the program, or dropped).
  void PressDropped();

  Release RealRelease(int button);
  // True when the release still owed to the target must be handed on before this press.
  bool RealPress(int button);

  bool Idle() const { return state_ == State::Idle; }

 private:
  enum class State {
    Idle,
    Recorded,      // the menu saw the press and is closing
    OwesRelease,   // press handed on; the next real release is the target's
    DropRelease,   // whole click handed on; a real release that still comes is dropped
  };
  State state_ = State::Idle;
  int button_ = 0;
  bool releasedWhileClosing_ = false;
};

}  // namespace tilvaro
