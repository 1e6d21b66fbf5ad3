// What assistive tools get through the accessibility factory from the editor window, its input
// dialog and the gallery: the rules every object keeps, and actions that must do what a click does.
// (e2e/screen_reader.sh reads the editor over AT-SPI: names, relations, announcements, a save.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <functional>

#include "access/AccessibleFactory.h"
#include "button/ToolbarButton97.h"
#include "editor/EditForm.h"
#include "editor/InputDialog.h"
#include "gallery/EventLog.h"
#include "gallery/GalleryWindow.h"
#include "widgets/ClickLabel.h"
#include "widgets/LayerGrid.h"
#include "widgets/Panel.h"
#include "widgets/UpDown.h"

namespace tilvaro {
namespace {

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

QStringList Actions(QAccessibleInterface* iface) {
  QAccessibleActionInterface* actions = iface->actionInterface();
  return actions != nullptr ? actions->actionNames() : QStringList();
}

// Runs an action as an assistive tool does; it is carried out on the next turn of the event loop.
void DoAction(QAccessibleInterface* iface, const QString& action) {
  ASSERT_TRUE(Actions(iface).contains(action)) << iface->text(QAccessible::Name).toStdString();
  iface->actionInterface()->doAction(action);
  QApplication::processEvents();
}

void Walk(QAccessibleInterface* iface, const std::function<void(QAccessibleInterface*)>& visit) {
  visit(iface);
  for (int i = 0; i < iface->childCount(); ++i) Walk(iface->child(i), visit);
}

class AccessibleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallAccessibleFactory(); }

  void SetUp() override {
    form_.SetInputDialog(&dialog_);
    form_.AskText = [this](const QString& caption, const QString&, QString&, const QStringList&) {
      asked_ << caption;
      return TeInput::kResultCancel;
    };
    form_.show();
    gallery_.show();
  }

  TEditForm form_;
  TeInput dialog_{&form_};
  TEventLog log_{nullptr};
  TGalleryWindow gallery_{log_};
  QStringList asked_;
};

TEST_F(AccessibleTest, EveryObjectIsKnownNamedWhenFocusableAndOperableWhenItActs) {
  dialog_.setWindowTitle(QStringLiteral("Frage"));
  for (QWidget* window : std::initializer_list<QWidget*>{&form_, &dialog_, &gallery_}) {
    Walk(Of(window), [](QAccessibleInterface* iface) {
      const QString name = iface->text(QAccessible::Name);
      SCOPED_TRACE((iface->object() != nullptr ? iface->object()->objectName() : name).toStdString());
      EXPECT_NE(iface->role(), QAccessible::Client) << "Qt's nameless filler for a widget it does not know";
      if (iface->state().focusable) {
        EXPECT_FALSE(name.isEmpty());
      }
      switch (iface->role()) {
        case QAccessible::PushButton:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
          EXPECT_FALSE(iface->state().focusable) << "a toolbar button never takes the focus";
          [[fallthrough]];
        case QAccessible::Link:
        case QAccessible::CheckBox:
        case QAccessible::SpinBox:
        case QAccessible::Cell:
          EXPECT_FALSE(Actions(iface).isEmpty());
          EXPECT_FALSE(name.isEmpty());
          break;
        default:
          break;
      }
    });
  }
  EXPECT_EQ(Of(form_.Pnl_LeftMenu)->role(), QAccessible::Grouping);
  EXPECT_EQ(Of(&dialog_)->role(), QAccessible::Dialog);
}

TEST_F(AccessibleTest, ActionsDoWhatClicksAndKeysDo) {
  DoAction(Of(form_.Btn_TileAdd), QAccessibleActionInterface::pressAction());
  EXPECT_EQ(asked_, QStringList{QStringLiteral("Stein hinzufügen ...")});

  // The current cell is the focused child of the focused grid; a toggle makes its cell current.
  QAccessibleInterface* grid = Of(form_.Layer_Control);
  QApplication::setActiveWindow(&form_);
  form_.Layer_Control->setFocus();
  QAccessibleInterface* cell = grid->tableInterface()->cellAt(1, 2);
  DoAction(cell, QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(grid->focusChild(), cell);
  EXPECT_TRUE(cell->state().checked);
  // A value beyond the spinner's range stops at its end, each step a click that changes the layer.
  Of(form_.UpDown_Layer)->valueInterface()->setCurrentValue(9);
  QApplication::processEvents();
  EXPECT_EQ(form_.UpDown_Layer->Position(), 4);
  EXPECT_EQ(grid->text(QAccessible::Name), QStringLiteral("Ebene 4"));
  EXPECT_FALSE(cell->state().checked);

  QAccessibleInterface* member = Of(gallery_.Btn_Group2);
  DoAction(member, QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(member->state().checked);

  // A split button: the press is its main part's click, the menu action its arrow part's.
  int clicks = 0;
  int dropdowns = 0;
  gallery_.Btn_Combo->OnClick = [&](QObject*) { ++clicks; };
  gallery_.Btn_Combo->OnDropdown = [&](QObject*, bool& showMenu, bool&) {
    ++dropdowns;
    showMenu = false;
  };
  QAccessibleInterface* combo = Of(gallery_.Btn_Combo);
  EXPECT_EQ(combo->role(), QAccessible::ButtonDropDown);
  DoAction(combo, QAccessibleActionInterface::pressAction());
  DoAction(combo, QAccessibleActionInterface::showMenuAction());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dropdowns, 1);
  EXPECT_FALSE(gallery_.Btn_Combo->ArrowPartPressed());

  gallery_.Btn_Disabled->OnClick = [&](QObject*) { ++clicks; };
  EXPECT_TRUE(Of(gallery_.Btn_Disabled)->state().disabled);
  DoAction(Of(gallery_.Btn_Disabled), QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1) << "a disabled button does nothing";

  form_.Lbl_Copyright->OnClick = [&](QObject*) { ++clicks; };
  DoAction(Of(form_.Lbl_Copyright), QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace tilvaro
