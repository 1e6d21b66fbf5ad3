#pragma once
// ControlsRuntime: the one owner of what the controls of the process share.
//
// It holds resources without knowing their types: each family asks for its own slot, keyed by the
// slot's type (Slot<T>()), and the slot is made with T's default constructor on first need. Slots
// go when the QApplication does (a post routine of the application deletes the runtime; with no
// application the runtime lives until the process ends): those of a higher T::kTeardownRank first,
// the others in the reverse order of their making. Code that runs while things are being torn
// down asks Existing() or Find<T>(), which never make anything.
//
// The runtime also runs the one application-wide event filter. Families observe it: watchers see
// every event and never swallow one; filters come after them and may swallow an event, which the
// later filters then do not see. Qt's tool-tip events are swallowed before anyone sees them: hints
// are the hint machinery's.
//
// And it makes the controls' timers, through a factory that tests replace.

#include <QObject>
#include <memory>
#include <vector>

#include "runtime/ControlTimer.h"

namespace tilvaro {

// Sees the events of the application-wide filter.
class EventObserver {
 public:
  // True: the event is swallowed (only a filter's answer counts).
  virtual bool ObserveEvent(QObject* watched, QEvent* event) = 0;

 protected:
  ~EventObserver() = default;
};

class ControlsRuntime : public QObject {
  Q_OBJECT

 public:
  // The runtime, made first if it does not exist.
  static ControlsRuntime& Instance();
  // The runtime, or null when none exists (never made here).
  static ControlsRuntime* Existing();

  ~ControlsRuntime() override;

  // --- Slots ----------------------------------------------------------------------------------
  // The slot of type T, made first if it does not exist.
  template <class T>
  T& Slot() {
    if (T* existing = Find<T>()) return *existing;
    T* made = new T();
    Keep(Key<T>(), made, [](void* object) { delete static_cast<T*>(object); }, TeardownRank<T>());
    return *made;
  }
  // The slot of type T, or null (never made here).
  template <class T>
  T* Find() const {
    return static_cast<T*>(Lookup(Key<T>()));
  }
  // Destroys the slot of type T if it exists.
  template <class T>
  void Drop() {
    Destroy(Key<T>());
  }
  // The slot of type T of the existing runtime, or null.
  template <class T>
  static T* FindExisting() {
    ControlsRuntime* runtime = Existing();
    return runtime != nullptr ? runtime->Find<T>() : nullptr;
  }

  // --- The application-wide filter ------------------------------------------------------------
  enum class Phase { Watch, Filter };
  // Observers of one phase are asked in the order they were added. An observer removes itself
  // before it goes.
  void AddObserver(EventObserver& observer, Phase phase);
  void RemoveObserver(EventObserver& observer);

  // --- Timers ---------------------------------------------------------------------------------
  // A new timer for a control. Tests install a factory of hand-driven timers.
  std::unique_ptr<ControlTimer> MakeTimer();
  void SetTimerFactory(ControlTimerFactory factory);

 signals:
  // The timer factory was replaced: timers kept for later use should be made again.
  void TimerFactoryChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ControlsRuntime();

  using Destroyer = void (*)(void*);
  struct Entry {
    const void* key;
    void* object;
    Destroyer destroy;
    int rank;
  };
  template <class T>
  static const void* Key() {
    static const char key = 0;  // one address per slot type
    return &key;
  }
  template <class T>
  static constexpr int TeardownRank() {
    if constexpr (requires { T::kTeardownRank; }) {
      return T::kTeardownRank;
    } else {
      return 0;
    }
  }
  void Keep(const void* key, void* object, Destroyer destroy, int rank);
  void* Lookup(const void* key) const;
  void Destroy(const void* key);

  std::vector<Entry> slots_;  // in the order they were made
  std::vector<EventObserver*> watchers_;
  std::vector<EventObserver*> filters_;
  int depth_ = 0;  // passes of the filter under way
  bool attached_ = false;  // filters the application's events and goes with it
  ControlTimerFactory timerFactory_;
};

}  // namespace tilvaro
