#pragma once
// ButtonTracking: what the toolbar buttons of the process share, kept as one slot of the controls'
// runtime and made with the first button.
//
// It follows the pointer for all buttons: the one hot button with its 125 ms leave timer, the
// button that holds a left press (told when a popup or modal window takes the pointer), presses
// dropped on a drop-down button after its menu, and the press that closed a drop-down menu on its
// way to its target. As a filter of the runtime's application-wide event filter it sees pointer
// moves over other widgets, the application's deactivation, popups and modal windows, and the
// Enter, Escape and accelerator keys that a window's focused control left. It also keeps the
// checker pattern of latched faces.

#include <QImage>
#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "button/ClosingPress.h"
#include "button/ClosingPressRoute.h"
#include "platform/raster/Color.h"
#include "runtime/ControlTimer.h"
#include "runtime/ControlsRuntime.h"

class QKeyEvent;
class QMouseEvent;

namespace tilvaro {

class TToolbarButton97;

class ButtonTracking : public QObject, public EventObserver {
  Q_OBJECT

 public:
  // The tracking, made first if it does not exist.
  static ButtonTracking& Instance();
  // The tracking, or null (never made here).
  static ButtonTracking* Existing();

  ~ButtonTracking() override;

  // --- Hot tracking ---------------------------------------------------------------------------
  // The one button that shows itself as under the pointer, or null.
  TToolbarButton97* HotButton() const { return hot_; }
  // The pointer moved onto `button`: the previous hot button leaves, and `button` becomes hot
  // (leave timer running) if it shows its border while inactive or the application is active.
  void PointerOnto(TToolbarButton97& button);
  // If `button` is the hot button, the leave timer stops and there is no hot button any more.
  void StopLeaveTracking(const TToolbarButton97& button);
  ControlTimer& LeaveTimer();
  static constexpr int kLeaveInterval = 125;

  // The button that holds a left press, told about popups and modal windows (cancel mode).
  void SetHeldButton(TToolbarButton97& button);
  void ForgetHeldButton(const TToolbarButton97& button);

  // --- Drop-down menus ------------------------------------------------------------------------
  // Presses on `button` are dropped until the event loop has run once more.
  void DiscardPressesOn(TToolbarButton97& button);
  // A drop-down menu has just closed with `press`: its target gets a real pointer grab now, and
  // the press once the event loop runs again (the drop-down's click is over by then). If the
  // window system still has the button down then, the real release reaches the target through
  // the grab, which ends with it; otherwise the target gets the release at once.
  void HandOn(const ClosingPress& press);

  // --- Checker pattern ------------------------------------------------------------------------
  // 8 x 8 checker of button highlight (where x + y is even) and button face; made again when
  // either system colour has changed since it was made.
  const QImage& DownPattern();
  // The same checker already tiled over at least `size` from the origin, so that a face copies
  // its part instead of tiling it pixel by pixel at every paint.
  const QImage& DownPatternTiled(QSize size);

  bool ObserveEvent(QObject* watched, QEvent* event) override;

 private:
  friend class ControlsRuntime;  // makes it as a slot
  ButtonTracking();

  void LeaveTimerTick();
  void CancelHeldPress();
  bool HandleWindowKey(QWidget& window, QKeyEvent& event);
  using PressRoute = ClosingPressRoute<ClosingPress>;
  // A press or release that the window system reported at one of the program's windows.
  void WindowMouseEvent(const QMouseEvent& event);
  // Hands on the pending closing press, if there is one: at the turn of the event loop, or
  // before `real`.
  void DeliverClosingPress(const std::optional<PressRoute::RealEvent>& real);
  // Carries out the route's steps; `pointerAt`: where the pointer is now, if that was asked.
  void Carry(const PressRoute::Steps& steps, std::optional<QPoint> pointerAt = std::nullopt);
  void EndGrab(QWidget* target);

  QPointer<TToolbarButton97> hot_;
  QPointer<TToolbarButton97> held_;
  QPointer<TToolbarButton97> discardTarget_;
  std::unique_ptr<ControlTimer> leaveTimer_;
  QImage downPattern_;
  QImage downPatternTiled_;
  Rgb patternFace_{}, patternHighlight_{};
  PressRoute closingPress_;
};

}  // namespace tilvaro
