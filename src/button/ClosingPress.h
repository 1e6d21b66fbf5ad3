#pragma once
// The press that closes an open drop-down menu, and the watch on the menu that finds it.
//
// While a drop-down menu is open it holds the pointer: the window system reports a press outside
// it to the menu, and starts no implicit grab for the window under the pointer, so the moves and
// the release that follow would go to whatever window lies under the pointer, or to none outside
// the program. ClosingPressWatch sees that press on the open menu and decides its target at once:
// the widget under the point; none outside the program's windows, under a modal window that
// blocks it, or on the drop-down button itself while the drop-down removes clicks (the press must
// not open the menu again). ButtonTracking::HandOn then carries it to its target as the menu
// closes, along the steps that ClosingPressRoute decides.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <optional>

class QMenu;
class QWidget;

namespace tilvaro {

struct ClosingPress {
  QPointer<QWidget> target;  // null: the press goes to nobody
  QPoint global;             // where it was, on the screen
  Qt::MouseButton button = Qt::NoButton;
  Qt::MouseButtons buttons;
  Qt::KeyboardModifiers modifiers;
};

// Watches one open menu for the press that closes it.
class ClosingPressWatch : public QObject {
 public:
  ClosingPressWatch(QMenu& menu, QWidget& dropdownButton, bool removeClicks);
  ~ClosingPressWatch() override;
  ClosingPressWatch(const ClosingPressWatch&) = delete;
  ClosingPressWatch& operator=(const ClosingPressWatch&) = delete;

  // The press outside the menu that closed it, if there was one.
  const std::optional<ClosingPress>& Press() const { return press_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QMenu> menu_;  // an item's action may destroy the menu while it is open
  QPointer<QWidget> dropdownButton_;
  bool removeClicks_;
  std::optional<ClosingPress> press_;
};

}  // namespace tilvaro
