#include "runtime/ControlTimer.h"

namespace tilvaro {

QtControlTimer::QtControlTimer() {
  // Timer ticks arrive through the event loop: a tick handler may delete this timer's owner,
  // so the handler is copied before it runs.
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    const std::function<void()> tick = OnTick;
    if (tick) tick();
  });
}

}  // namespace tilvaro
