#pragma once
// TDropdownList: the registry of the menus that toolbar buttons show as their drop-downs.
//
// A menu is registered once, when it is first given to a button, and leaves the registry when it
// is destroyed. While registered, a hovered item puts its status tip into the application's hint
// text, which is cleared again when the pointer is over no item any more and when the menu
// closes; F1 on an item shows the item's "What's this" text in a small popup. One registry per
// application, a slot of the controls' runtime.

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

namespace tilvaro {

class ApplicationHint;

class TDropdownList : public QObject {
  Q_OBJECT

 public:
  // The registry, made first if it does not exist.
  static TDropdownList& Instance();

  // Registers the menu unless it already is.
  void AddMenu(QMenu* menu);
  bool Contains(const QMenu* menu) const;
  int Count() const { return static_cast<int>(menus_.size()); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class ControlsRuntime;  // makes it as a slot
  TDropdownList();

  void MenuDestroyed(QObject* menu);
  void ItemHovered(QAction* action);

  ApplicationHint& hint_;
  // Not owned; each leaves the list when it is destroyed. Kept as QObject pointers because a menu
  // that is being destroyed is no longer a QMenu and must not be cast back to one.
  QList<const QObject*> menus_;
};

}  // namespace tilvaro
