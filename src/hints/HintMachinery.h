#pragma once
// HintMachinery: the application's hint machinery. One per application, a slot of the controls'
// runtime, which makes it on first need and destroys it with the application, before the other
// slots (its hint window is a widget).
//
// It watches the runtime's application-wide event filter and so sees every event, also those that
// a filter swallows later (ObserveEvent): it follows the
// pointer from control to control and cancels on key presses, mouse presses and the application's
// deactivation, and it reports theme and application-font changes (HintSettingsChanged) to whoever
// derives a hint font from them. (That filter also swallows Qt's own tool-tip events: Qt's tool
// tips never show.)
// HintScheduler decides when; the installed hint window class shows.
// A hint that is due is first handed to OnShowHint with its text, a can-show flag and a THintInfo,
// all of which the handler may change.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "hints/HintScheduler.h"
#include "hints/HintWindow.h"
#include "runtime/ControlsRuntime.h"

namespace tilvaro {

class HintMachinery : public QObject, public EventObserver {
  Q_OBJECT

 public:
  // The clock and timer the machinery runs on; tests put in one they advance themselves.
  class Clock {
   public:
    virtual ~Clock() = default;
    virtual HintScheduler::Time Now() const = 0;
    // Has TimerExpired called once after `delayMs` (a later call replaces the earlier one).
    virtual void WakeIn(int delayMs) = 0;
    virtual void Stop() = 0;
  };

  // The one machinery, made on first call (needs a QApplication).
  static HintMachinery& Instance();
  // The machinery if it was made, otherwise null.
  static HintMachinery* Existing();

  // The hint window class: makes the window that shows every hint. Replacing it destroys the
  // window made so far, so the next hint comes from the new class. Null: no hints are shown.
  using WindowFactory = std::function<std::unique_ptr<THintWindow>()>;
  void SetHintWindowClass(WindowFactory factory);

  void SetOnShowHint(TShowHintEvent handler) { onShowHint_ = std::move(handler); }

  void SetTimings(const HintTimings& timings) { scheduler_.SetTimings(timings); }
  const HintTimings& Timings() const { return scheduler_.Timings(); }

  // Replaces the clock (null: back to the real one); the machinery does not own it.
  void SetClock(Clock* clock);
  // The clock reached the wake-up time the machinery asked for.
  void TimerExpired();

  // The inputs the event filter feeds in, open to tests: the pointer is over `widget` (null:
  // over none of the program's windows), and a press or deactivation that cancels the hint.
  void PointerOver(QWidget* widget);
  void CancelHint();

  // An event on its way to `watched`, as the application-wide filter sees it; never swallowed.
  bool ObserveEvent(QObject* watched, QEvent* event) override;

  // Goes before the runtime's other slots.
  static constexpr int kTeardownRank = 1;

  // The window showing hints, once one was made.
  THintWindow* HintWindow() const { return window_.get(); }
  // The control whose hint is due or showing.
  QWidget* HintControl() const { return control_; }

  ~HintMachinery() override;

 signals:
  // A theme change reached a window, or the application font changed: the fonts a hint is drawn
  // in may have changed.
  void HintSettingsChanged();

 private:
  friend class ControlsRuntime;  // its owner, the only one that makes it (as a slot)
  HintMachinery();

  class TimerClock;
  void Apply(const HintScheduler::Effect& effect);
  bool ShowHintOf(QWidget* control);
  void Reschedule();
  QWidget* WidgetUnderPointer(QObject* window, QEvent* event) const;

  HintScheduler scheduler_;
  std::unique_ptr<TimerClock> ownClock_;
  Clock* clock_;
  WindowFactory windowFactory_;
  std::unique_ptr<THintWindow> window_;
  TShowHintEvent onShowHint_;
  QPointer<QWidget> control_;
};

}  // namespace tilvaro
