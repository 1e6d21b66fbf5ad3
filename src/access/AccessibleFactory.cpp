#include "access/AccessibleFactory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLatin1StringView>

#include "button/ToolbarButtonAccessible.h"
#include "widgets/ClickLabelAccessible.h"
#include "widgets/LayerGridAccessible.h"
#include "widgets/UpDownAccessible.h"

namespace tilvaro {

namespace {

using MakeInterface = QAccessibleInterface* (*)(QObject* object);

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
  MakeInterface make;     // nullptr: Qt's interface for the Qt base class serves
};

// Only classes of ours: a widget being destroyed is a plain QWidget by then, and is left to Qt's
// factory, which knows not to make an interface for it.
constexpr Row kRows[] = {
    {"tilvaro::TToolbarButton97", &ToolbarButtonAccessible::Create},
    {"tilvaro::TLayerGrid", &LayerGridAccessible::Create},
    {"tilvaro::TUpDown", &UpDownAccessible::Create},
    {"tilvaro::TClickLabel", &ClickLabelAccessible::Create},
    {"tilvaro::TPanel", &MakeGrouping},
    {"tilvaro::TBevel", &MakeGrouping},
    {"tilvaro::TEditForm", &MakeFrame},
    {"tilvaro::TGalleryWindow", &MakeFrame},
    {"tilvaro::THintWindow95", &MakeToolTip},
    // Qt's line edit: text, caret, selection and editing; named by its label (NameByLabel).
    {"tilvaro::TEdit97", nullptr},
    // Qt's scroll bar: value, range, increase and decrease; named by its label, hint as description.
    {"tilvaro::TScrollBar", nullptr},
    // Qt's list: the entries as its children, selection; named by its label.
    {"tilvaro::TListBox", nullptr},
    // Qt's dialog: named by its caption.
    {"tilvaro::TeInput", nullptr},
};

QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  for (const Row& row : kRows) {
    if (className == QLatin1StringView(row.className)) return row.make != nullptr ? row.make(object) : nullptr;
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleFactory() { QAccessible::installFactory(&AccessibleFactory); }

}  // namespace tilvaro
