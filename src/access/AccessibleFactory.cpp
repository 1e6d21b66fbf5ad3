#include "access/AccessibleFactory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLatin1StringView>

#include "button/ToolbarButton97.h"
#include "button/ToolbarButtonAccessible.h"
#include "widgets/ClickLabel.h"
#include "widgets/ClickLabelAccessible.h"
#include "widgets/LayerGridAccessible.h"
#include "widgets/UpDown.h"
#include "widgets/UpDownAccessible.h"

namespace tilvaro {

namespace {

using MakeInterface = QAccessibleInterface* (*)(QObject* object);

// The interface of one of our widget classes, for an object of that class.
template <class Interface>
QAccessibleInterface* MakeOwn(QObject* object) {
  auto* widget = qobject_cast<typename Interface::Widget*>(object);
  return widget != nullptr ? new Interface(widget) : nullptr;
}

// A container or frame that only groups the controls on or in it for the eye: the menu strip,
// the top strip, the bevels. It takes no input.
QAccessibleInterface* MakeGrouping(QObject* object) {
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
}

// A main window, named by its caption.
QAccessibleInterface* MakeFrame(QObject* object) {
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

// The hint window: a tool tip named by its hint (its caption), never focusable.
QAccessibleInterface* MakeToolTip(QObject* object) {
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::ToolTip);
}

struct Row {
  const char* className;  // as the meta-object names it, with its namespace
  MakeInterface make;
};

// Only classes of ours: a widget being destroyed is a plain QWidget by then, and is left to Qt's
// factory, which knows not to make an interface for it. A class without a row gets Qt's interface
// for its Qt base class: TEdit97 a line edit's (text, caret, selection and editing; named by its
// label), TScrollBar a scroll bar's (value, range, increase and decrease; named by its label, hint
// as description), TListBox a list's (the entries as its children, selection; named by its label),
// TeInput a dialog's (named by its caption).
constexpr Row kRows[] = {
    {"tilvaro::TToolbarButton97", &MakeOwn<ToolbarButtonAccessible>},
    {"tilvaro::TLayerGrid", &MakeOwn<LayerGridAccessible>},
    {"tilvaro::TUpDown", &MakeOwn<UpDownAccessible>},
    {"tilvaro::TClickLabel", &MakeOwn<ClickLabelAccessible>},
    {"tilvaro::TPanel", &MakeGrouping},
    {"tilvaro::TBevel", &MakeGrouping},
    {"tilvaro::TEditForm", &MakeFrame},
    {"tilvaro::TGalleryWindow", &MakeFrame},
    {"tilvaro::THintWindow95", &MakeToolTip},
};

QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  for (const Row& row : kRows) {
    if (className == QLatin1StringView(row.className)) return row.make(object);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleFactory() { QAccessible::installFactory(&AccessibleFactory); }

}  // namespace tilvaro
