#include "button/ClosingPress.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

namespace tilvaro {

namespace {

// The widget that a press at `global` reaches once the menu is gone: the one under the point,
// unless a modal window blocks its window.
QWidget* PressTargetAt(QPoint global) {
  QWidget* target = QApplication::widgetAt(global);  // null outside the program's windows
  if (target == nullptr) return nullptr;
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != target->window() && !modal->isAncestorOf(target)) return nullptr;
  return target;
}

}  // namespace

ClosingPressWatch::ClosingPressWatch(QMenu& menu, QWidget& dropdownButton, bool removeClicks)
    : menu_(&menu), dropdownButton_(&dropdownButton), removeClicks_(removeClicks) {
  // Qt would post the press again to the window under the pointer; it is handed on here instead.
  menu.setAttribute(Qt::WA_NoMouseReplay, true);
  menu.installEventFilter(this);
}

ClosingPressWatch::~ClosingPressWatch() {
  if (menu_) {
    menu_->removeEventFilter(this);
    menu_->setAttribute(Qt::WA_NoMouseReplay, false);
  }
}

bool ClosingPressWatch::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress || !menu_) return false;
  const auto* press = static_cast<QMouseEvent*>(event);
  const QPoint global = press->globalPosition().toPoint();
  if (menu_->geometry().contains(global)) return false;
  QWidget* target = PressTargetAt(global);
  if (removeClicks_ && target == dropdownButton_) target = nullptr;
  press_ = ClosingPress{target, global, press->button(), press->buttons(), press->modifiers()};
  return false;
}

}  // namespace tilvaro
