#include "hints/HintMachinery.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "hints/ControlHint.h"
#include "runtime/ControlsRuntime.h"

namespace tilvaro {

// The real clock: a monotonic millisecond count and one precise single-shot timer.
class HintMachinery::TimerClock : public Clock {
 public:
  explicit TimerClock(HintMachinery& owner) {
    elapsed_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &owner, &HintMachinery::TimerExpired);
  }
  HintScheduler::Time Now() const override { return elapsed_.elapsed(); }
  void WakeIn(int delayMs) override { timer_.start(std::max(0, delayMs)); }
  void Stop() override { timer_.stop(); }

 private:
  QElapsedTimer elapsed_;
  QTimer timer_;
};

HintMachinery& HintMachinery::Instance() { return ControlsRuntime::Instance().Slot<HintMachinery>(); }

HintMachinery* HintMachinery::Existing() { return ControlsRuntime::FindExisting<HintMachinery>(); }

HintMachinery::HintMachinery()
    : ownClock_(std::make_unique<TimerClock>(*this)), clock_(ownClock_.get()) {
  ControlsRuntime::Instance().AddObserver(*this, ControlsRuntime::Phase::Watch);
  connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) CancelHint();
  });
}

HintMachinery::~HintMachinery() {
  if (ControlsRuntime* runtime = ControlsRuntime::Existing()) runtime->RemoveObserver(*this);
}

void HintMachinery::SetHintWindowClass(WindowFactory factory) {
  CancelHint();
  window_.reset();
  windowFactory_ = std::move(factory);
}

void HintMachinery::SetClock(Clock* clock) {
  clock_->Stop();
  clock_ = clock != nullptr ? clock : ownClock_.get();
  Reschedule();
}

void HintMachinery::PointerOver(QWidget* widget) {
  QWidget* control = HintControlFor(widget);
  const HintScheduler::Effect effect = scheduler_.PointerMoved(control, clock_->Now());
  control_ = scheduler_.CurrentControl() == control ? control : nullptr;
  Apply(effect);
  Reschedule();
}

void HintMachinery::CancelHint() {
  Apply(scheduler_.Cancel());
  control_ = nullptr;
  Reschedule();
}

void HintMachinery::TimerExpired() {
  Apply(scheduler_.TimerDue(clock_->Now()));
  if (scheduler_.CurrentControl() == nullptr) control_ = nullptr;
  Reschedule();
}

void HintMachinery::Apply(const HintScheduler::Effect& effect) {
  switch (effect.action) {
    case HintScheduler::Action::Show:
      if (!ShowHintOf(control_)) scheduler_.ShowRefused();
      break;
    case HintScheduler::Action::Hide:
      if (window_) window_->hide();
      break;
    case HintScheduler::Action::None:
      break;
  }
}

bool HintMachinery::ShowHintOf(QWidget* control) {
  if (control == nullptr || !windowFactory_) return false;
  const QPoint pointer = QCursor::pos();
  const QScreen* screen = QGuiApplication::screenAt(pointer);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();

  THintInfo info;
  info.HintControl = control;
  info.HintPos = Point{pointer.x(), pointer.y()};
  info.HintMaxWidth = screen != nullptr ? screen->geometry().width() : 0;
  const QPoint origin = control->mapToGlobal(QPoint(0, 0));
  info.CursorRect = Rect::FromSize(origin.x(), origin.y(), control->width(), control->height());
  QString text = HintTextOf(*control);
  bool canShow = true;
  if (onShowHint_) onShowHint_(text, canShow, info);
  if (!canShow || text.isEmpty()) return false;

  if (!window_) window_ = windowFactory_();
  if (!window_) return false;
  window_->PlaceAndShow(Rect::FromSize(info.HintPos.x, info.HintPos.y, 0, 0), text);
  return true;
}

void HintMachinery::Reschedule() {
  if (const auto deadline = scheduler_.Deadline()) {
    const auto delay = std::max<HintScheduler::Time>(0, *deadline - clock_->Now());
    clock_->WakeIn(static_cast<int>(std::min<HintScheduler::Time>(delay, 1 << 30)));
  } else {
    clock_->Stop();
  }
}

QWidget* HintMachinery::WidgetUnderPointer(QObject* window, QEvent* event) const {
  // Moves reach the window under the pointer (or the one holding a mouse grab); the widget under
  // the pointer is its child at the move's window position.
  QWidget* top = QWidget::find(static_cast<QWindow*>(window)->winId());
  if (top == nullptr) return nullptr;
  const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
  if (!top->rect().contains(position)) return nullptr;
  QWidget* child = top->childAt(position);
  return child != nullptr ? child : top;
}

bool HintMachinery::ObserveEvent(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      if (watched->isWindowType()) PointerOver(WidgetUnderPointer(watched, event));
      break;
    case QEvent::Leave:
      if (watched->isWindowType()) PointerOver(nullptr);
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
      if (watched->isWindowType()) CancelHint();
      break;
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::ApplicationDeactivate:
      CancelHint();
      break;
    // The theme change reaches every window; the application font change reaches the application
    // object.
    case QEvent::ThemeChange:
      if (watched->isWindowType()) emit HintSettingsChanged();
      break;
    case QEvent::ApplicationFontChange:
      if (watched == QCoreApplication::instance()) emit HintSettingsChanged();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace tilvaro
