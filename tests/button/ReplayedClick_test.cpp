// The release of a press handed on after a drop-down menu closed: in every order the window system
// may report it, the target gets it exactly once, after the press.
#include <gtest/gtest.h>

#include <string>

#include "button/ReplayedClick.h"

namespace tilvaro {
namespace {

constexpr int kLeft = 1;

// Runs a script of steps and returns what reached the target after the handed-on press
// ("release" per release handed on) and what happened to the real events ("pass", "drop").
//   r<b>: real release of button b;  p<b>: real press of button b
//   H / U: the press is handed on while the button is held / already up;  X: it went to nobody
std::string Script(const std::string& script) {
  ReplayedClick click;
  click.PressRecorded(kLeft);
  std::string out;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char step = script[i];
    const int button = (step == 'r' || step == 'p') ? script[++i] - '0' : 0;
    switch (step) {
      case 'H': out += click.PressHandedOn(true) ? "release " : ""; break;
      case 'U': out += click.PressHandedOn(false) ? "release " : ""; break;
      case 'X': click.PressDropped(); break;
      case 'p': out += click.RealPress(button) ? "release " : ""; break;
      case 'r':
        switch (click.RealRelease(button)) {
          case ReplayedClick::Release::Pass: out += "pass "; break;
          case ReplayedClick::Release::Drop: out += "drop "; break;
          case ReplayedClick::Release::Replace: out += "release "; break;
        }
        break;
    }
  }
  return out + (click.Idle() ? "idle" : "busy");
}

TEST(ReplayedClickTest, TheTargetGetsOneReleaseWhateverTheOrder) {
  const struct {
    const char* script;
    const char* expected;
  } cases[] = {
      {"r1H", "pass release idle"},         // released while the menu closed: it went to the menu
      {"Hr1", "release idle"},              // released later: moved to the target
      {"Ur1", "release drop idle"},         // up before Qt heard of it, then reported: dropped
      {"U", "release busy"},                // ... or never reported at all
      {"Up1r1", "release pass idle"},       // a new click ends the wait; its release is its own
      {"Hp1r1", "release pass idle"},       // held, its release lost: owed before the next press
      {"Hr2p2r1", "pass release idle"},     // other buttons are not ours
      {"Xr1", "pass idle"},                 // handed to nobody: its release is left alone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Script(c.script), c.expected);
  }
}

}  // namespace
}  // namespace tilvaro
