// What assistive tools get from the editor window, its input dialog and the gallery through the
// accessibility factory: the rules every object keeps, the names the labels give, and the actions
// of the grid, the spinner and the buttons, which must do what a click does.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <functional>

#include "access/AccessibleFactory.h"
#include "button/ToolbarButton97.h"
#include "editor/EditForm.h"
#include "editor/InputDialog.h"
#include "gallery/EventLog.h"
#include "gallery/GalleryWindow.h"
#include "widgets/Bevel.h"
#include "widgets/ClickLabel.h"
#include "widgets/Edit97.h"
#include "widgets/LayerGrid.h"
#include "widgets/ListBox.h"
#include "widgets/Panel.h"
#include "widgets/ScrollBar.h"
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

class AccessibleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallAccessibleFactory(); }

  void SetUp() override {
    form_.SetInputDialog(&dialog_);
    form_.AskText = [this](const QString& caption, const QString&, QString&) {
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

// Walks an accessible tree, every object once.
void Walk(QAccessibleInterface* iface, const std::function<void(QAccessibleInterface*)>& visit) {
  visit(iface);
  for (int i = 0; i < iface->childCount(); ++i) {
    if (QAccessibleInterface* child = iface->child(i)) Walk(child, visit);
  }
}

TEST_F(AccessibleTest, EveryObjectIsKnownNamedWhenFocusableAndOperableWhenItActs) {
  dialog_.setWindowTitle(QStringLiteral("Frage"));
  for (QWidget* window : std::initializer_list<QWidget*>{&form_, &dialog_, &gallery_}) {
    Walk(Of(window), [](QAccessibleInterface* iface) {
      const QString name = iface->text(QAccessible::Name);
      const QString what = QString::fromLatin1(iface->object() != nullptr ? iface->object()->metaObject()->className()
                                                                         : "cell") + QLatin1Char(' ') + name;
      SCOPED_TRACE(what.toStdString());
      // Qt's fallback for a widget it knows nothing of: a nameless "filler".
      EXPECT_NE(iface->role(), QAccessible::Client);
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
}

TEST_F(AccessibleTest, ControlsAreNamedByTheirLabelsAndTellWhatTheyAre) {
  dialog_.setWindowTitle(QStringLiteral("Layout öffnen ..."));
  dialog_.Lbl_Text->setText(QStringLiteral("Bitte Dateiname angeben"));
  const struct {
    QWidget* widget;
    QAccessible::Role role;
    const char* name;
    QLabel* label;  // the label that names it, if any
  } rows[] = {
      {&form_, QAccessible::Window, "Tilvaro - Layout Editor", nullptr},
      {form_.Edit_Name, QAccessible::EditableText, "Name", form_.Lbl_Name},
      {form_.Edit_Author, QAccessible::EditableText, "Autor", form_.Lbl_Author},
      {form_.Edit_Back, QAccessible::EditableText, "Hintergrundbild", form_.Lbl_Back},
      {form_.UpDown_Layer, QAccessible::SpinBox, "Ebene", form_.Lbl_Layer},
      {form_.SBar_LayerCount, QAccessible::ScrollBar, "Anzahl Ebenen ( 1..4 )", form_.Lbl_LayerCount},
      {form_.SBar_3D, QAccessible::ScrollBar, "3D - Farben", form_.Lbl_3D},
      {form_.LBox_Tiles, QAccessible::List, "Steine", nullptr},  // Qt's list has no label relation
      {form_.Layer_Control, QAccessible::Table, "Ebene 1", nullptr},
      {form_.Btn_Open, QAccessible::PushButton, "Öffnen", nullptr},
      {form_.Btn_TileAdd, QAccessible::PushButton, "Stein hinzufügen", nullptr},
      {form_.Btn_TileName, QAccessible::PushButton, "Ausgewählten Stein umbenennen", nullptr},
      {form_.Img_qmLogo, QAccessible::Link, "www.tilvaro.example", nullptr},
      {form_.Lbl_Copyright, QAccessible::Link, "layouts@tilvaro.example", nullptr},
      {form_.Pnl_LeftMenu, QAccessible::Grouping, "", nullptr},
      {form_.Bvl_Layer, QAccessible::Grouping, "", nullptr},
      {&dialog_, QAccessible::Dialog, "Layout öffnen ...", nullptr},
      {dialog_.Edit_Txt, QAccessible::EditableText, "Bitte Dateiname angeben", dialog_.Lbl_Text},
      {dialog_.Btn_OK, QAccessible::PushButton, "OK", nullptr},
      {&gallery_, QAccessible::Window, "Tilvaro - Steuerelemente", nullptr},
      {gallery_.Btn_Group1, QAccessible::PushButton, "Eins", nullptr},
      {gallery_.Btn_Dropdown, QAccessible::ButtonMenu, "Menü", nullptr},
      {gallery_.Btn_Combo, QAccessible::ButtonDropDown, "Kombiniert", nullptr},
      {gallery_.Btn_Default, QAccessible::PushButton, "Übernehmen", nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QAccessibleInterface* iface = Of(row.widget);
    EXPECT_EQ(iface->role(), row.role);
    EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(row.name));
    if (row.label == nullptr) continue;
    const auto labels = iface->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.first().first->object(), row.label);
  }
  // A button's hint describes it; its accelerator and the dialog keys are its key bindings.
  EXPECT_EQ(Of(form_.Btn_Open)->text(QAccessible::Description), QStringLiteral("Layout öffnen"));
  EXPECT_EQ(Of(dialog_.Btn_OK)->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
            QStringList{QStringLiteral("Alt+O")});
  EXPECT_TRUE(Of(gallery_.Btn_Default)
                  ->actionInterface()
                  ->keyBindingsForAction(QAccessibleActionInterface::pressAction())
                  .contains(QStringLiteral("Return")));
}

TEST_F(AccessibleTest, GridCellsToggleAsClicksDoAndTheSpinnerChangesTheLayer) {
  QAccessibleInterface* grid = Of(form_.Layer_Control);
  QAccessibleTableInterface* table = grid->tableInterface();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowCount(), 7);
  EXPECT_EQ(table->columnCount(), 14);
  EXPECT_EQ(grid->childCount(), 98);
  QAccessibleInterface* cell = table->cellAt(1, 2);
  EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("Spalte 3, Reihe 2"));
  EXPECT_EQ(grid->indexOfChild(cell), 16);
  EXPECT_EQ(grid->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
  EXPECT_TRUE(cell->state().checkable);
  EXPECT_FALSE(cell->state().checked);

  DoAction(cell, QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(cell->state().checked);
  EXPECT_TRUE(form_.LayerCells.HasTile(2, 1, 1));
  EXPECT_FALSE(form_.Lbl_Warn->isHidden()) << "one tile is an odd count";
  // The current cell is the focused child while the grid has the focus.
  QApplication::setActiveWindow(&form_);
  form_.Layer_Control->setFocus();
  EXPECT_EQ(grid->focusChild(), cell);
  EXPECT_TRUE(cell->state().focused);
  QAccessibleInterface* next = table->cellAt(1, 3);
  DoAction(next, QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(grid->focusChild(), next);
  EXPECT_TRUE(form_.Lbl_Warn->isHidden()) << "two tiles are an even count";

  QAccessibleInterface* spinner = Of(form_.UpDown_Layer);
  QAccessibleValueInterface* value = spinner->valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->minimumValue().toInt(), 1);
  EXPECT_EQ(value->maximumValue().toInt(), 4);
  value->setCurrentValue(9);  // beyond the range: stops at the last layer
  QApplication::processEvents();
  EXPECT_EQ(form_.UpDown_Layer->Position(), 4);
  EXPECT_EQ(form_.Lbl_CLayer->text(), QStringLiteral("4"));
  EXPECT_EQ(grid->text(QAccessible::Name), QStringLiteral("Ebene 4"));
  EXPECT_FALSE(cell->state().checked) << "layer 4 holds no tile there";
  DoAction(spinner, QAccessibleActionInterface::decreaseAction());
  EXPECT_EQ(spinner->text(QAccessible::Value), QStringLiteral("3"));
  EXPECT_EQ(grid->text(QAccessible::Name), QStringLiteral("Ebene 3"));
}

TEST_F(AccessibleTest, ButtonActionsClickAsTheKeyboardDoes) {
  // A command button asks its question as after a click.
  DoAction(Of(form_.Btn_TileAdd), QAccessibleActionInterface::pressAction());
  EXPECT_EQ(asked_, QStringList{QStringLiteral("Stein hinzufügen ...")});

  // A group member toggles, latches and is announced as checked.
  QAccessibleInterface* member = Of(gallery_.Btn_Group2);
  EXPECT_TRUE(member->state().checkable);
  DoAction(member, QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(gallery_.Btn_Group2->Down());
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
  DoAction(combo, QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dropdowns, 0);
  DoAction(combo, QAccessibleActionInterface::showMenuAction());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dropdowns, 1);
  EXPECT_FALSE(gallery_.Btn_Combo->ArrowPartPressed());

  // A disabled button is unavailable and its action does nothing.
  int disabledClicks = 0;
  gallery_.Btn_Disabled->OnClick = [&](QObject*) { ++disabledClicks; };
  QAccessibleInterface* disabled = Of(gallery_.Btn_Disabled);
  EXPECT_TRUE(disabled->state().disabled);
  DoAction(disabled, QAccessibleActionInterface::pressAction());
  EXPECT_EQ(disabledClicks, 0);
}

TEST_F(AccessibleTest, LinksRunTheirClickHandlers) {
  int clicks = 0;
  form_.Lbl_Copyright->OnClick = [&](QObject*) { ++clicks; };
  DoAction(Of(form_.Lbl_Copyright), QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace tilvaro
