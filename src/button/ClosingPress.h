#pragma once
// The press that closes an open drop-down menu, handed on as a whole click.
//
// While a drop-down menu is open, a press outside it closes it. Whether the toolkit then hands
// that press on to the widget under the pointer differs between platforms, so the menu never
// does here and ClosingPress does it instead, once the menu has closed: a press on the button
// that opened the menu is dropped when the drop-down removes clicks (it must not open the menu
// again), any other press reaches its target. ClosingPressRelay, fed by the controls' one
// application-wide filter, then makes sure that target also gets exactly one release, after the
// press (see ReplayedClick for why that needs care).

#include <QObject>
#include <QPoint>
#include <QPointer>

#include "button/ReplayedClick.h"

class QMenu;
class QMouseEvent;
class QWidget;
class QWindow;

namespace tilvaro {

class ClosingPressRelay {
 public:
  void Record(const QMouseEvent& press);
  // Where the recorded press was, on the screen.
  QPoint RecordedAt() const { return global_; }
  // The menu has closed: hands the recorded press to `target` (null: to nobody).
  void HandOn(QWidget* target);
  // A press or release that the window system reported at one of the program's windows. True:
  // it is swallowed.
  bool WindowMouseEvent(QMouseEvent& event);

 private:
  void Post(bool press, QPoint global);

  ReplayedClick click_;
  QPointer<QWindow> window_;
  QPoint global_;
  Qt::MouseButton button_ = Qt::NoButton;
  Qt::MouseButtons buttons_;
  Qt::KeyboardModifiers modifiers_;
};

// Watches one open menu for the press that closes it; Replay hands it on after the menu closed.
class ClosingPress : public QObject {
 public:
  ClosingPress(QMenu& menu, QWidget& button, bool dropOnButton);
  ~ClosingPress() override;
  ClosingPress(const ClosingPress&) = delete;
  ClosingPress& operator=(const ClosingPress&) = delete;

  void Replay();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QMenu> menu_;  // an item's action may destroy the menu while it is open
  QPointer<QWidget> button_;
  bool dropOnButton_;
  bool pressed_ = false;  // a press outside the menu was recorded
};

}  // namespace tilvaro
