#include "button/DropdownList.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWhatsThis>

#include "hints/ApplicationHint.h"
#include "runtime/ControlsRuntime.h"

namespace tilvaro {

TDropdownList& TDropdownList::Instance() { return ControlsRuntime::Instance().Slot<TDropdownList>(); }

TDropdownList::TDropdownList() : hint_(ApplicationHint::Instance()) {}

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
  auto* menu = qobject_cast<QMenu*>(watched);
  switch (event->type()) {
    case QEvent::MouseMove:
      // Over a separator or the frame: no item is hovered any more.
      if (menu && menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()) == nullptr) {
        hint_.SetText(QString());
      }
      return false;
    case QEvent::Leave:
    case QEvent::Hide:
      hint_.SetText(QString());
      return false;
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) break;
      return false;
    default:
      return false;
  }
  QAction* item = menu ? menu->activeAction() : nullptr;
  if (item == nullptr || item->whatsThis().isEmpty()) return false;
  const QRect place = menu->actionGeometry(item);
  QWhatsThis::showText(menu->mapToGlobal(place.bottomLeft()), item->whatsThis(), menu);
  return true;
}

}  // namespace tilvaro
