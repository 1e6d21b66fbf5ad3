#include "button/ClosingPress.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "runtime/ControlsRuntime.h"
#include "platform/PointerButtons.h"

namespace tilvaro {

void ClosingPressRelay::Record(const QMouseEvent& press) {
  global_ = press.globalPosition().toPoint();
  button_ = press.button();
  buttons_ = press.buttons();
  modifiers_ = press.modifiers();
  window_ = nullptr;
  click_.PressRecorded(static_cast<int>(button_));
}

void ClosingPressRelay::HandOn(QWidget* target) {
  QWindow* window = target != nullptr ? target->window()->windowHandle() : nullptr;
  if (window == nullptr) {
    click_.PressDropped();
    return;
  }
  window_ = window;
  // Posted, as the platform would deliver it: the menu's own event loop has ended by then. The
  // window system is asked whether the button is still down: Qt's own record may wait for a
  // release that never comes.
  Post(true, global_);
  if (click_.PressHandedOn((PointerButtonsNow() & button_) != 0)) Post(false, global_);
}

bool ClosingPressRelay::WindowMouseEvent(QMouseEvent& event) {
  const int button = static_cast<int>(event.button());
  if (event.type() == QEvent::MouseButtonRelease) {
    switch (click_.RealRelease(button)) {
      case ReplayedClick::Release::Pass: return false;
      case ReplayedClick::Release::Drop: return true;
      case ReplayedClick::Release::Replace:
        Post(false, event.globalPosition().toPoint());
        return true;
    }
    return false;
  }
  if (click_.RealPress(button)) Post(false, global_);
  return false;
}

void ClosingPressRelay::Post(bool press, QPoint global) {
  if (!window_) return;  // the target's window went meanwhile
  const QPointF local = window_->mapFromGlobal(QPointF(global));
  const QEvent::Type type = press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease;
  const Qt::MouseButtons held = press ? buttons_ : buttons_ & ~button_;
  QCoreApplication::postEvent(window_, new QMouseEvent(type, local, QPointF(global), button_, held, modifiers_));
}

ClosingPress::ClosingPress(QMenu& menu, QWidget& button, bool dropOnButton)
    : menu_(&menu), button_(&button), dropOnButton_(dropOnButton) {
  menu.setAttribute(Qt::WA_NoMouseReplay, true);
  menu.installEventFilter(this);
}

ClosingPress::~ClosingPress() {
  if (menu_) {
    menu_->removeEventFilter(this);
    menu_->setAttribute(Qt::WA_NoMouseReplay, false);
  }
}

void ClosingPress::Replay() {
  if (!pressed_) return;
  pressed_ = false;
  ClosingPressRelay& relay = ControlsRuntime::Instance().ClosingPresses();
  QWidget* target = QApplication::widgetAt(relay.RecordedAt());  // null outside the application
  if (dropOnButton_ && button_ && target == button_) target = nullptr;
  relay.HandOn(target);
}

bool ClosingPress::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress || !menu_) return false;
  const auto* press = static_cast<QMouseEvent*>(event);
  if (menu_->geometry().contains(press->globalPosition().toPoint())) return false;
  pressed_ = true;
  ControlsRuntime::Instance().ClosingPresses().Record(*press);
  return false;
}

}  // namespace tilvaro
