#include "button/DropdownList.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QWhatsThis>

#include "hints/ApplicationHint.h"

namespace tilvaro {

TDropdownList::TDropdownList(ApplicationHint& hint, QObject* parent) : QObject(parent), hint_(hint) {}

void TDropdownList::AddMenu(QMenu* menu) {
  if (menu == nullptr || Contains(menu)) return;
  menus_.append(menu);
  connect(menu, &QObject::destroyed, this, &TDropdownList::MenuDestroyed);
  connect(menu, &QMenu::hovered, this, &TDropdownList::ItemHovered);
  menu->installEventFilter(this);
}

bool TDropdownList::Contains(const QMenu* menu) const {
  return menus_.contains(static_cast<const QObject*>(menu));
}

void TDropdownList::MenuDestroyed(QObject* menu) {
  menus_.removeAll(menu);
}

void TDropdownList::ItemHovered(QAction* action) { hint_.SetText(action ? action->statusTip() : QString()); }

bool TDropdownList::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) {
    return false;
  }
  auto* menu = qobject_cast<QMenu*>(watched);
  QAction* item = menu ? menu->activeAction() : nullptr;
  if (item == nullptr || item->whatsThis().isEmpty()) return false;
  const QRect place = menu->actionGeometry(item);
  QWhatsThis::showText(menu->mapToGlobal(place.bottomLeft()), item->whatsThis(), menu);
  return true;
}

}  // namespace tilvaro
