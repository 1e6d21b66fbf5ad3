#include "runtime/ControlsRuntime.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

namespace tilvaro {

namespace {

ControlsRuntime* runtime = nullptr;

void DestroyRuntime() {
  delete runtime;
  runtime = nullptr;
}

// Removes `observer` from `list` without moving the others, so that a pass over the list that
// is under way (an observer may remove itself or another while it runs) stays valid.
void Forget(std::vector<EventObserver*>& list, EventObserver* observer) {
  std::replace(list.begin(), list.end(), observer, static_cast<EventObserver*>(nullptr));
}

}  // namespace

ControlsRuntime& ControlsRuntime::Instance() {
  if (runtime == nullptr) runtime = new ControlsRuntime();
  // Made before the application, the runtime joins it at the first use once it exists.
  if (!runtime->attached_) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
      runtime->attached_ = true;
      app->installEventFilter(runtime);
      // Run while the application is being destroyed, before its fonts and windows are gone.
      qAddPostRoutine(DestroyRuntime);
    }
  }
  return *runtime;
}

ControlsRuntime* ControlsRuntime::Existing() { return runtime; }

ControlsRuntime::ControlsRuntime()
    : timerFactory_([] { return std::unique_ptr<ControlTimer>(std::make_unique<QtControlTimer>()); }) {}

ControlsRuntime::~ControlsRuntime() {
  // A slot's destructor may still look up the others (or, rarely, make one again): each slot
  // leaves the table before it is destroyed, and the loop runs until the table is empty.
  while (!slots_.empty()) {
    // The last made of the highest rank.
    auto next = slots_.begin();
    for (auto it = slots_.begin(); it != slots_.end(); ++it) {
      if (it->rank >= next->rank) next = it;
    }
    const Entry entry = *next;
    slots_.erase(next);
    entry.destroy(entry.object);
  }
  if (runtime == this) runtime = nullptr;
}

void ControlsRuntime::Keep(const void* key, void* object, Destroyer destroy, int rank) {
  slots_.push_back(Entry{key, object, destroy, rank});
}

void* ControlsRuntime::Lookup(const void* key) const {
  for (const Entry& entry : slots_) {
    if (entry.key == key) return entry.object;
  }
  return nullptr;
}

void ControlsRuntime::Destroy(const void* key) {
  const auto it = std::find_if(slots_.begin(), slots_.end(), [key](const Entry& entry) { return entry.key == key; });
  if (it == slots_.end()) return;
  const Entry entry = *it;
  slots_.erase(it);
  entry.destroy(entry.object);
}

void ControlsRuntime::AddObserver(EventObserver& observer, Phase phase) {
  (phase == Phase::Watch ? watchers_ : filters_).push_back(&observer);
}

void ControlsRuntime::RemoveObserver(EventObserver& observer) {
  Forget(watchers_, &observer);
  Forget(filters_, &observer);
}

std::unique_ptr<ControlTimer> ControlsRuntime::MakeTimer() { return timerFactory_(); }

void ControlsRuntime::SetTimerFactory(ControlTimerFactory factory) {
  timerFactory_ = std::move(factory);
  emit TimerFactoryChanged();
}

bool ControlsRuntime::eventFilter(QObject* watched, QEvent* event) {
  // Qt's own tool tips never show: every hint is the hint machinery's.
  if (event->type() == QEvent::ToolTip) return true;
  // Indexes, not iterators: an observer may add another while it runs, and an event may arrive
  // while another is being observed (a nested event loop).
  ++depth_;
  for (std::size_t i = 0; i < watchers_.size(); ++i) {
    if (EventObserver* watcher = watchers_[i]) watcher->ObserveEvent(watched, event);
  }
  bool swallowed = false;
  for (std::size_t i = 0; i < filters_.size() && !swallowed; ++i) {
    if (EventObserver* filter = filters_[i]) swallowed = filter->ObserveEvent(watched, event);
  }
  // Removed observers left holes; they are closed once no pass is under way any more.
  if (--depth_ == 0) {
    std::erase(watchers_, nullptr);
    std::erase(filters_, nullptr);
  }
  return swallowed;
}

}  // namespace tilvaro
