// The controls' runtime: slots made once and torn down in order, and the observers of its filter.
#include "runtime/ControlsRuntime.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <string>

namespace tilvaro {
namespace {

std::string teardown;

template <char Name, int Rank = 0>
struct Named {
  static constexpr int kTeardownRank = Rank;
  ~Named() { teardown += Name; }
};
struct Plain {
  int made = 0;
};

TEST(ControlsRuntime, MakesEachSlotOnceAndTearsDownHigherRanksFirstThenTheLastMadeFirst) {
  ControlsRuntime& runtime = ControlsRuntime::Instance();
  EXPECT_EQ(runtime.Find<Plain>(), nullptr);
  ++runtime.Slot<Plain>().made;
  ++runtime.Slot<Plain>().made;
  EXPECT_EQ(runtime.Find<Plain>()->made, 2);
  runtime.Slot<Named<'a'>>();
  runtime.Slot<Named<'b'>>();
  runtime.Slot<Named<'w', 1>>();
  runtime.Slot<Named<'c'>>();
  runtime.Slot<Named<'d'>>();
  runtime.Drop<Named<'d'>>();
  EXPECT_EQ(teardown, "d");
  teardown.clear();
  delete &runtime;
  EXPECT_EQ(teardown, "wcba");
  EXPECT_EQ(ControlsRuntime::Existing(), nullptr);
  EXPECT_EQ(ControlsRuntime::FindExisting<Plain>(), nullptr);
}

// Records what it saw; swallows the events of one type.
struct Recorder : EventObserver {
  Recorder(std::string& log, char name, QEvent::Type swallow = QEvent::None)
      : log(log), name(name), swallow(swallow) {}
  bool ObserveEvent(QObject*, QEvent* event) override {
    log += name;
    return event->type() == swallow;
  }
  std::string& log;
  char name;
  QEvent::Type swallow;
};

TEST(ControlsRuntime, WatchersSeeEveryEventBeforeFiltersWhichMaySwallowIt) {
  ControlsRuntime& runtime = ControlsRuntime::Instance();
  std::string log;
  Recorder first(log, 'f', QEvent::User), second(log, 's'), watcher(log, 'w');
  runtime.AddObserver(first, ControlsRuntime::Phase::Filter);
  runtime.AddObserver(second, ControlsRuntime::Phase::Filter);
  runtime.AddObserver(watcher, ControlsRuntime::Phase::Watch);
  QObject target;
  for (const QEvent::Type type : {QEvent::User, QEvent::ToolTip, QEvent::MaxUser}) {
    QEvent event(type);
    QCoreApplication::sendEvent(&target, &event);
    log += '|';
  }
  EXPECT_EQ(log, "wf||wfs|") << "a swallowed event goes no further; tool tips reach nobody";
  for (Recorder* recorder : {&first, &second, &watcher}) runtime.RemoveObserver(*recorder);
}

}  // namespace
}  // namespace tilvaro
