// The press that closed a drop-down menu, on its way to its target: in every order the window
// system may report the real events, the target gets the press, then exactly one release, and
// the grab ends.
#include "button/ClosingPressRoute.h"

#include <gtest/gtest.h>

#include <string>

namespace tilvaro {
namespace {

struct Press {
  char target;
  int button;
};
using Route = ClosingPressRoute<Press>;

constexpr int kLeft = 1;

std::string Names(const Route::Steps& steps) {
  static const char* const kNames[] = {"grab", "later", "press", "release", "end", "end-later"};
  std::string out;
  for (const Route::Step& step : steps) out += std::string(kNames[static_cast<int>(step.what)]) + " ";
  return out;
}

// Runs a script and returns the steps given, then whether the route is idle.
//   H / X: the left press is handed on to a shown target / to nobody
//   d / u / g: the event loop turns with the button still down / up / the target hidden
//   r<b> / p<b>: the window system reports a release / press of button b
std::string Script(const std::string& script) {
  Route route;
  std::string out;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char step = script[i];
    switch (step) {
      case 'H':
      case 'X': out += Names(route.HandOn({'t', kLeft}, step == 'H')); break;
      case 'd':
      case 'u':
      case 'g': out += Names(route.Deliver(std::nullopt, step != 'g', step == 'd')); break;
      case 'r':
      case 'p': {
        const Route::RealEvent real{step == 'r', script[++i] - '0'};
        out += Names(route.Deliver(real, true, step == 'p'));
        out += Names(route.Real(real));
        break;
      }
    }
  }
  return out + (route.Idle() ? "idle" : "busy");
}

TEST(ClosingPressRouteTest, TheTargetGetsPressThenOneRelease) {
  const struct {
    const char* script;
    const char* expected;
  } cases[] = {
      {"X", "idle"},                                                 // handed to nobody
      {"Hu", "grab later press release end idle"},                   // released already
      {"Hdr1", "grab later press end-later idle"},                   // held: the real release goes through
      {"Hr1", "grab later press end-later idle"},                    // released before the loop turned
      {"Hdr2", "grab later press busy"},                             // another button's release: still waiting
      {"Hdr2r1", "grab later press end-later idle"},
      {"Hdp1", "grab later press end idle"},                         // a new press ends the wait
      {"Hg", "grab later end idle"},                                 // the target was hidden meanwhile
      {"Hup1", "grab later press release end idle"},                 // nothing left to end
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Script(c.script), c.expected);
  }
}

}  // namespace
}  // namespace tilvaro
