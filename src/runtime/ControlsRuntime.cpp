#include "runtime/ControlsRuntime.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "hints/ApplicationHint.h"
#include "button/DropdownList.h"
#include "glyphs/GlyphCache.h"
#include "hints/HintMachinery.h"
#include "button/ToolbarButton97.h"
#include "platform/TextCache.h"

namespace tilvaro {

namespace {

ControlsRuntime* runtime = nullptr;

void DestroyRuntime() {
  delete runtime;
  runtime = nullptr;
}

// True when the pointer at `global` is over `button` in the window that reported the move.
bool PointerOverButton(const TToolbarButton97& button, const QPointF& global, const QObject* window) {
  const QWidget* top = button.window();
  if (!button.isVisible() || top == nullptr || top->windowHandle() != window) return false;
  return button.rect().contains(button.mapFromGlobal(global.toPoint()));
}

}  // namespace

ControlsRuntime& ControlsRuntime::Instance() {
  if (runtime == nullptr) {
    runtime = new ControlsRuntime();
    if (QCoreApplication* app = QCoreApplication::instance()) {
      app->installEventFilter(runtime);
      // Run while the application is being destroyed, before its fonts and windows are gone.
      qAddPostRoutine(DestroyRuntime);
    }
  }
  return *runtime;
}

ControlsRuntime* ControlsRuntime::Existing() { return runtime; }

HintMachinery& ControlsRuntime::Hints() {
  if (!hints_) hints_.reset(new HintMachinery);
  return *hints_;
}

ControlsRuntime::ControlsRuntime()
    : timerFactory_([] { return std::unique_ptr<ControlTimer>(std::make_unique<QtControlTimer>()); }) {}

ControlsRuntime::~ControlsRuntime() {
  if (runtime == this) runtime = nullptr;
}

// --- Hot tracking -----------------------------------------------------------------------------

TToolbarButton97* ControlsRuntime::HotButton() const { return hot_; }

void ControlsRuntime::SetHeldButton(TToolbarButton97& button) { held_ = &button; }

void ControlsRuntime::ForgetHeldButton(const TToolbarButton97& button) {
  if (held_ == &button) held_ = nullptr;
}

ControlTimer& ControlsRuntime::LeaveTimer() {
  if (!leaveTimer_) {
    leaveTimer_ = MakeTimer();
    leaveTimer_->SetInterval(kLeaveInterval);
    leaveTimer_->OnTick = [this] { LeaveTimerTick(); };
  }
  return *leaveTimer_;
}

void ControlsRuntime::PointerOnto(TToolbarButton97& button) {
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

void ControlsRuntime::StopLeaveTracking(const TToolbarButton97& button) {
  if (hot_ != &button) return;
  if (leaveTimer_) leaveTimer_->Stop();
  hot_ = nullptr;
}

void ControlsRuntime::LeaveTimerTick() {
  TToolbarButton97* hot = hot_;
  if (hot == nullptr) {
    if (leaveTimer_) leaveTimer_->Stop();
    return;
  }
  // Only a few times a second: the exact widget under the pointer, disabled ones included.
  const bool inside = QApplication::widgetAt(QCursor::pos()) == hot;
  hot->Feed({ButtonInputKind::LeaveTimerTick, inside});
}

void ControlsRuntime::CancelHeldPress() {
  if (TToolbarButton97* held = held_) {
    held_ = nullptr;
    held->Feed({ButtonInputKind::CancelMode});
  }
}

void ControlsRuntime::DiscardPressesOn(TToolbarButton97& button) {
  discardTarget_ = &button;
  QTimer::singleShot(0, this, [this] { discardTarget_ = nullptr; });
}

// --- Shared resources -------------------------------------------------------------------------

const QImage& ControlsRuntime::DownPattern() {
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

const QImage& ControlsRuntime::DownPatternTiled(QSize size) {
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

TGlyphCache& ControlsRuntime::EnsureGlyphCache() {
  if (!glyphCache_) glyphCache_ = std::make_unique<TGlyphCache>();
  return *glyphCache_;
}

void ControlsRuntime::ReleaseGlyphCacheIfEmpty() {
  if (glyphCache_ && glyphCache_->IsEmpty()) glyphCache_.reset();
}

TextCache& ControlsRuntime::Texts() { return TextCache::Instance(); }

TDropdownList& ControlsRuntime::DropdownList() {
  if (!dropdownList_) dropdownList_ = std::make_unique<TDropdownList>(Hint());
  return *dropdownList_;
}

ApplicationHint& ControlsRuntime::Hint() {
  if (!hint_) hint_ = std::make_unique<ApplicationHint>();
  return *hint_;
}

std::unique_ptr<ControlTimer> ControlsRuntime::MakeTimer() { return timerFactory_(); }

void ControlsRuntime::SetTimerFactory(ControlTimerFactory factory) {
  timerFactory_ = std::move(factory);
  if (TToolbarButton97* hot = hot_) StopLeaveTracking(*hot);
  leaveTimer_.reset();
}

// --- The application-wide filter --------------------------------------------------------------

bool ControlsRuntime::HandleWindowKey(QWidget& window, QKeyEvent& event) {
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

bool ControlsRuntime::eventFilter(QObject* watched, QEvent* event) {
  // Qt's own tool tips never show: every hint is the hint machinery's, if there is one.
  if (event->type() == QEvent::ToolTip) return true;
  // The machinery sees every event, also those swallowed below (a discarded press still cancels).
  if (hints_) hints_->Observe(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonRelease:
      // Reported by the window system at a window: seen once, before any widget.
      if (event->spontaneous() && watched->isWindowType()) {
        return closingPresses_.WindowMouseEvent(*static_cast<QMouseEvent*>(event));
      }
      break;
    case QEvent::MouseMove:
      // Seen once per move at the window, before any widget: the work does not depend on how
      // many buttons there are.
      if (hot_ && watched->isWindowType() &&
          !PointerOverButton(*hot_, static_cast<QMouseEvent*>(event)->globalPosition(), watched)) {
        hot_->Feed({ButtonInputKind::PointerLeft});
      }
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (event->spontaneous() && watched->isWindowType()) {
        closingPresses_.WindowMouseEvent(*static_cast<QMouseEvent*>(event));
      }
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
