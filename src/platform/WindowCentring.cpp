#include "platform/WindowCentring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace tilvaro {
namespace {

// The window a dialog belongs to, if any.
const QWidget* Owner(const QWidget& window) {
  return window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
}

// A dialog goes on the screen of the window it belongs to.
QRect AvailableArea(const QWidget& window) {
  const QScreen* screen = Owner(window) != nullptr ? Owner(window)->screen() : window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

// The window's frame, or before it was first framed that of the window it belongs to (the same
// window manager draws both).
QMargins FrameOrOwners(const QWidget& window) {
  const QMargins frame = FrameMargins(window);
  return frame.isNull() && Owner(window) != nullptr ? FrameMargins(*Owner(window)) : frame;
}

void Place(QWidget& window, const QMargins& frame) {
  const QRect available = AvailableArea(window);
  if (available.isEmpty()) return;
  window.setGeometry(CentredClientGeometry(available, window.size(), frame));
}

// Watches a window until the window manager has framed it, then centres it with its frame once.
class CentreWhenFramed : public QObject {
 public:
  explicit CentreWhenFramed(QWidget& window) : QObject(&window), window_(&window) { window.installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The frame shows in the window's geometry some time after it is mapped: by its first paint or
    // its activation at the latest.
    const QEvent::Type type = event->type();
    if (watched == window_ && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show ||
                               type == QEvent::Paint || type == QEvent::WindowActivate)) {
      const QMargins frame = FrameMargins(*window_);
      if (!frame.isNull()) {
        window_->removeEventFilter(this);
        Place(*window_, frame);
        deleteLater();
      }
    }
    return false;
  }

 private:
  QPointer<QWidget> window_;
};

}  // namespace

QMargins FrameMargins(const QWidget& window) {
  const QRect frame = window.frameGeometry(), client = window.geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

QRect CentredClientGeometry(const QRect& available, const QSize& client, const QMargins& frame) {
  const QSize outer = client.grownBy(frame);
  const QPoint frameTopLeft(available.left() + (available.width() - outer.width()) / 2,
                            available.top() + (available.height() - outer.height()) / 2);
  return QRect(frameTopLeft + QPoint(frame.left(), frame.top()), client);
}

void CentreOnScreen(QWidget& window) {
  Place(window, FrameOrOwners(window));
  if (FrameMargins(window).isNull()) new CentreWhenFramed(window);
}

}  // namespace tilvaro
