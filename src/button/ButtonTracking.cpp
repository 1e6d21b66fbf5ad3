#include "button/ButtonTracking.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "button/ToolbarButton97.h"
#include "platform/PointerButtons.h"

namespace tilvaro {

namespace {

// True when the pointer at `global` is over `button` in the window that reported the move.
bool PointerOverButton(const TToolbarButton97& button, const QPointF& global, const QObject* window) {
  const QWidget* top = button.window();
  if (!button.isVisible() || top == nullptr || top->windowHandle() != window) return false;
  return button.rect().contains(button.mapFromGlobal(global.toPoint()));
}

// Sends a mouse event to the window of `target`, as the window system would deliver it: Qt then
// routes it by its own records (the pointer grab, the widget that holds a press) and keeps them.
// The event is made right before it is sent: in Qt 6.4 a mouse event shares its point with the
// mouse device, and a later mouse event would move it.
void SendToWindowOf(QWidget& target, QEvent::Type type, QPoint global, Qt::MouseButton button,
                    Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  QWindow* window = target.window()->windowHandle();
  if (window == nullptr) return;
  const QPointF local = window->mapFromGlobal(QPointF(global));
  QMouseEvent event(type, local, QPointF(global), button, buttons, modifiers);
  QCoreApplication::sendEvent(window, &event);
}

}  // namespace

ButtonTracking& ButtonTracking::Instance() { return ControlsRuntime::Instance().Slot<ButtonTracking>(); }

ButtonTracking* ButtonTracking::Existing() { return ControlsRuntime::FindExisting<ButtonTracking>(); }

ButtonTracking::ButtonTracking() {
  ControlsRuntime& runtime = ControlsRuntime::Instance();
  runtime.AddObserver(*this, ControlsRuntime::Phase::Filter);
  // Timers made from the new factory from now on; a hot button stops being tracked.
  connect(&runtime, &ControlsRuntime::TimerFactoryChanged, this, [this] {
    if (TToolbarButton97* hot = hot_) StopLeaveTracking(*hot);
    leaveTimer_.reset();
  });
}

ButtonTracking::~ButtonTracking() {
  if (ControlsRuntime* runtime = ControlsRuntime::Existing()) runtime->RemoveObserver(*this);
}

// --- Hot tracking -----------------------------------------------------------------------------

void ButtonTracking::SetHeldButton(TToolbarButton97& button) { held_ = &button; }

void ButtonTracking::ForgetHeldButton(const TToolbarButton97& button) {
  if (held_ == &button) held_ = nullptr;
}

ControlTimer& ButtonTracking::LeaveTimer() {
  if (!leaveTimer_) {
    leaveTimer_ = ControlsRuntime::Instance().MakeTimer();
    leaveTimer_->SetInterval(kLeaveInterval);
    leaveTimer_->OnTick = [this] { LeaveTimerTick(); };
  }
  return *leaveTimer_;
}

void ButtonTracking::PointerOnto(TToolbarButton97& button) {
  if (hot_ == &button) return;
  if (TToolbarButton97* previous = hot_) {
    previous->Feed({ButtonInputKind::PointerLeft});
    // A handler of the previous button's exit may have made another button hot, or left it.
    if (hot_ == previous) StopLeaveTracking(*previous);
  }
  if (!button.ShowBorderWhenInactive() && QApplication::activeWindow() == nullptr) return;
  hot_ = &button;
  LeaveTimer().Start();
  button.Feed({ButtonInputKind::PointerEntered});
}

void ButtonTracking::StopLeaveTracking(const TToolbarButton97& button) {
  if (hot_ != &button) return;
  if (leaveTimer_) leaveTimer_->Stop();
  hot_ = nullptr;
}

void ButtonTracking::LeaveTimerTick() {
  TToolbarButton97* hot = hot_;
  if (hot == nullptr) {
    if (leaveTimer_) leaveTimer_->Stop();
    return;
  }
  // Only a few times a second: the exact widget under the pointer, disabled ones included.
  const bool inside = QApplication::widgetAt(QCursor::pos()) == hot;
  hot->Feed({ButtonInputKind::LeaveTimerTick, inside});
}

void ButtonTracking::CancelHeldPress() {
  if (TToolbarButton97* held = held_) {
    held_ = nullptr;
    held->Feed({ButtonInputKind::CancelMode});
  }
}

// --- Drop-down menus --------------------------------------------------------------------------

void ButtonTracking::DiscardPressesOn(TToolbarButton97& button) {
  discardTarget_ = &button;
  QTimer::singleShot(0, this, [this] { discardTarget_ = nullptr; });
}

void ButtonTracking::HandOn(const ClosingPress& press) {
  DeliverClosingPress(std::nullopt);  // one left over from a menu inside the click of another
  Carry(closingPress_.HandOn(press, press.target && press.target->isVisible()));
}

void ButtonTracking::DeliverClosingPress(const std::optional<PressRoute::RealEvent>& real) {
  const ClosingPress* press = closingPress_.Pending();
  if (press == nullptr) return;
  const bool shown = press->target && press->target->isVisible();
  // The window system is asked, not Qt: it had the release while someone else held the pointer.
  const PointerState pointer = shown ? PointerNow() : PointerState{};
  Carry(closingPress_.Deliver(real, shown, (pointer.buttons & press->button) != 0), pointer.position);
}

void ButtonTracking::Carry(const PressRoute::Steps& steps, std::optional<QPoint> pointerAt) {
  for (const PressRoute::Step& step : steps) {
    const ClosingPress& press = step.press;
    QWidget* target = press.target;
    if (target == nullptr) continue;  // gone meanwhile, say by the handler of its press
    switch (step.what) {
      case PressRoute::Do::Grab:
        target->grabMouse();
        break;
      case PressRoute::Do::DeliverLater:
        QTimer::singleShot(0, this, [this] { DeliverClosingPress(std::nullopt); });
        break;
      case PressRoute::Do::SendPress:
        SendToWindowOf(*target, QEvent::MouseButtonPress, press.global, press.button, press.buttons, press.modifiers);
        break;
      case PressRoute::Do::SendRelease:
        // Where the pointer is now, as near as can be told to where the release happened.
        SendToWindowOf(*target, QEvent::MouseButtonRelease, pointerAt.value_or(press.global), press.button,
                       press.buttons & ~press.button, press.modifiers);
        break;
      case PressRoute::Do::EndGrab:
        EndGrab(target);
        break;
      case PressRoute::Do::EndGrabLater:
        QTimer::singleShot(0, this, [this, later = QPointer<QWidget>(target)] { EndGrab(later); });
        break;
    }
  }
}

void ButtonTracking::EndGrab(QWidget* target) {
  if (target != nullptr && QWidget::mouseGrabber() == target) target->releaseMouse();
}

void ButtonTracking::WindowMouseEvent(const QMouseEvent& event) {
  const PressRoute::RealEvent real{event.type() == QEvent::MouseButtonRelease, event.button()};
  DeliverClosingPress(real);  // a real event comes before the closing press was handed on: it goes first
  Carry(closingPress_.Real(real));
}

// --- Checker pattern --------------------------------------------------------------------------

const QImage& ButtonTracking::DownPattern() {
  const Rgb face = ResolveColor(SysColorValue(SysColor::BtnFace));
  const Rgb highlight = ResolveColor(SysColorValue(SysColor::BtnHighlight));
  if (downPattern_.isNull() || !(face == patternFace_) || !(highlight == patternHighlight_)) {
    patternFace_ = face;
    patternHighlight_ = highlight;
    downPattern_ = QImage(8, 8, QImage::Format_RGB32);
    const QRgb faceRgb = qRgb(face.r, face.g, face.b);
    const QRgb highlightRgb = qRgb(highlight.r, highlight.g, highlight.b);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) downPattern_.setPixel(x, y, (x + y) % 2 == 0 ? highlightRgb : faceRgb);
    }
    downPatternTiled_ = QImage();
  }
  return downPattern_;
}

const QImage& ButtonTracking::DownPatternTiled(QSize size) {
  const QImage& pattern = DownPattern();
  if (downPatternTiled_.width() < size.width() || downPatternTiled_.height() < size.height()) {
    const int width = std::max({size.width(), downPatternTiled_.width(), 128});
    const int height = std::max({size.height(), downPatternTiled_.height(), 128});
    downPatternTiled_ = QImage(width, height, QImage::Format_RGB32);
    QPainter painter(&downPatternTiled_);
    painter.fillRect(downPatternTiled_.rect(), QBrush(pattern));
  }
  return downPatternTiled_;
}

// --- The application-wide filter --------------------------------------------------------------

bool ButtonTracking::HandleWindowKey(QWidget& window, QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  const QList<TToolbarButton97*> buttons = window.findChildren<TToolbarButton97*>();
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    for (TToolbarButton97* button : buttons) {
      if (button->window() == &window && button->AnswerDialogKey(key, modifiers)) return true;
    }
    return false;
  }
  // A character that the focused control did not take works as an accelerator without Alt.
  if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) return false;
  const QString text = event.text();
  if (text.size() != 1 || !text.at(0).isPrint()) return false;
  for (TToolbarButton97* button : buttons) {
    if (button->window() == &window && button->AnswerDialogChar(text.at(0))) return true;
  }
  return false;
}

bool ButtonTracking::ObserveEvent(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      // Seen once per move at the window, before any widget: the work does not depend on how
      // many buttons there are.
      if (hot_ && watched->isWindowType() &&
          !PointerOverButton(*hot_, static_cast<QMouseEvent*>(event)->globalPosition(), watched)) {
        hot_->Feed({ButtonInputKind::PointerLeft});
      }
      break;
    case QEvent::MouseButtonRelease:
      // Reported by the window system at a window: seen once, before any widget.
      if (event->spontaneous() && watched->isWindowType()) WindowMouseEvent(*static_cast<QMouseEvent*>(event));
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (event->spontaneous() && watched->isWindowType()) WindowMouseEvent(*static_cast<QMouseEvent*>(event));
      if (discardTarget_ && watched == discardTarget_) return true;
      break;
    case QEvent::ApplicationDeactivate:
      if (hot_) hot_->Feed({ButtonInputKind::AppDeactivated});
      break;
    case QEvent::ApplicationStateChange:
      if (hot_ && QGuiApplication::applicationState() != Qt::ApplicationActive) {
        hot_->Feed({ButtonInputKind::AppDeactivated});
      }
      break;
    case QEvent::Show:
      // A popup or modal window takes the pointer: a held press ends (cancel mode).
      if (held_ && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && (widget->windowType() == Qt::Popup || widget->isModal())) CancelHeldPress();
      }
      break;
    case QEvent::KeyPress:
      // Offered to the window only when the focused control (and its parents) left the key.
      if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        return HandleWindowKey(*static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event));
      }
      break;
    default:
      break;
  }
  return false;
}

}  // namespace tilvaro
