#pragma once
// ControlTimer: the timers of the controls (the button's leave timer and auto-repeat), behind a
// small interface so that tests can tick them by hand instead of waiting.

#include <QTimer>
#include <functional>
#include <memory>

namespace tilvaro {

class ControlTimer {
 public:
  virtual ~ControlTimer() = default;
  // Starts (or restarts) ticking every `Interval()` milliseconds.
  virtual void Start() = 0;
  virtual void Stop() = 0;
  virtual bool Active() const = 0;
  virtual void SetInterval(int milliseconds) = 0;
  virtual int Interval() const = 0;

  // Run at every tick.
  std::function<void()> OnTick;
};

using ControlTimerFactory = std::function<std::unique_ptr<ControlTimer>()>;

// A ControlTimer on a QTimer of the event loop.
class QtControlTimer final : public ControlTimer {
 public:
  QtControlTimer();
  void Start() override { timer_.start(); }
  void Stop() override { timer_.stop(); }
  bool Active() const override { return timer_.isActive(); }
  void SetInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
  int Interval() const override { return timer_.interval(); }

 private:
  QTimer timer_;
};

}  // namespace tilvaro
