// The editor window as it first shows: every control in its place with its caption, hint, colours
// and state, the fixed window, tab order, link cursor and start folder.
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QScrollBar>
#include <QSet>
#include <tuple>

#include "EditorTestSupport.h"
#include "widgets/Edit97.h"
#include "hints/Hint95.h"
#include "button/ToolbarButton97.h"
#include "widgets/Bevel.h"
#include "widgets/ClickLabel.h"
#include "widgets/ListBox.h"
#include "widgets/Panel.h"
#include "editor/EditFormControls.h"
#include "platform/CursorTable.h"

namespace tilvaro::test {
namespace {

using EditFormWindowTest = EditorFixture;

TEST_F(EditFormWindowTest, IsAFixedWindowWithoutMaximise) {
  EXPECT_EQ(Form().windowTitle(), QStringLiteral("Tilvaro - Layout Editor"));
  EXPECT_EQ(std::tuple(Form().size(), Form().minimumSize(), Form().maximumSize()),
            std::tuple(QSize(504, 341), QSize(504, 341), QSize(504, 341)));
  const Qt::WindowFlags flags = Form().windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::MSWindowsFixedSizeDialogHint);
  EXPECT_NE(QGuiApplication::applicationDisplayName(), QStringLiteral("Tilvaro - Editor"));
}

// The window's own controls and those of its two panels: each inside its parent, none covering a
// sibling except a bevel framing the control that lies on it.
TEST_F(EditFormWindowTest, EveryControlLiesInsideItsParentAndNoneCoversAnother) {
  TEditForm& f = Form();
  for (const QWidget* parent : {static_cast<QWidget*>(&f), static_cast<QWidget*>(f.Pnl_LeftMenu), static_cast<QWidget*>(f.Pnl_TopGFX)}) {
    QList<QWidget*> controls;
    for (const EditFormControl& entry : EditFormControls())
      if (entry.member(f)->parentWidget() == parent) controls << entry.member(f);
    for (int i = 0; i < controls.size(); ++i) {
      const QWidget* a = controls[i];
      SCOPED_TRACE(a->objectName().toStdString());
      EXPECT_TRUE(parent->rect().contains(a->geometry()));
      for (int j = i + 1; j < controls.size(); ++j) {
        const QWidget* b = controls[j];
        if (!a->geometry().intersects(b->geometry())) continue;
        const bool framed = (qobject_cast<const TBevel*>(a) && a->geometry().contains(b->geometry())) ||
                            (qobject_cast<const TBevel*>(b) && b->geometry().contains(a->geometry()));
        EXPECT_TRUE(framed) << "covers " << b->objectName().toStdString();
      }
    }
  }
  // The strips fill the window's top and left edges; the logo ends at the strip's right end, the
  // note at the menu's bottom; the grid's cells and lines fill it exactly.
  EXPECT_EQ(f.Pnl_TopGFX->geometry(), QRect(0, 0, f.width(), f.Pnl_TopGFX->height()));
  EXPECT_EQ(f.Pnl_LeftMenu->geometry().bottomLeft(), f.rect().bottomLeft());
  EXPECT_EQ(f.Pnl_LeftMenu->y(), f.Pnl_TopGFX->height());
  EXPECT_EQ(f.Img_qmLogo->geometry().right(), f.Pnl_TopGFX->rect().right());
  EXPECT_EQ(f.Lbl_Hinweis->geometry().bottom(), f.Pnl_LeftMenu->rect().bottom());
  EXPECT_EQ(f.Lbl_MenuHelp->y(), f.Lbl_Menu->geometry().bottom() + 1);
  EXPECT_EQ(f.Layer_Control->size(), QSize(14 * 13, 7 * 13));
  // The bevels: the grid's on its left and top one pixel outside it and on its right and bottom
  // edges; the list's one pixel outside it all round.
  EXPECT_EQ(f.Bvl_Layer->geometry(), f.Layer_Control->geometry().adjusted(-1, -1, 0, 0));
  EXPECT_EQ(f.Bvl_Steine->geometry(), f.LBox_Tiles->geometry().adjusted(-1, -1, 1, 1));
}

TEST_F(EditFormWindowTest, GlyphsAndPicturesHaveTheirSizes) {
  TEditForm& f = Form();
  for (TToolbarButton97* button : {f.Btn_New, f.Btn_Open, f.Btn_Save, f.Btn_TileName})
    EXPECT_EQ(button->Glyph().size(), QSize(16, 16)) << button->objectName().toStdString();
  EXPECT_EQ(f.Img_qmLogo->pixmap().size(), QSize(99, 32));
}

TEST_F(EditFormWindowTest, StartsEmpty) {
  TEditForm& f = Form();
  EXPECT_EQ(QStringList({f.LayoutName, f.Edit_Name->text(), f.Edit_Author->text(), f.Edit_Back->text()}),
            QStringList(4, QString()));
  EXPECT_FALSE(f.CBX_Inscripe->isChecked());
  // Minimum, maximum and position.
  EXPECT_EQ(std::tuple(f.SBar_LayerCount->minimum(), f.SBar_LayerCount->maximum(), f.SBar_LayerCount->value()),
            std::tuple(1, 4, 1));
  EXPECT_EQ(std::tuple(f.SBar_3D->minimum(), f.SBar_3D->maximum(), f.SBar_3D->value()), std::tuple(1, 8, 1));
  EXPECT_EQ(std::tuple(f.UpDown_Layer->Min(), f.UpDown_Layer->Max(), f.UpDown_Layer->Position()), std::tuple(1, 4, 1));
  EXPECT_FALSE(f.UpDown_Layer->Wrap());
  EXPECT_EQ(f.Lbl_CLayer->text(), QStringLiteral("1"));
  EXPECT_TRUE(f.Lbl_Warn->isHidden());
  EXPECT_EQ(std::tuple(f.LBox_Tiles->Count(), f.LBox_Tiles->ItemIndex(), f.LayerCells.TileCount()), std::tuple(0, -1, 0));
  EXPECT_EQ(f.LBox_Tiles->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_FALSE(f.LBox_Tiles->isSortingEnabled());
  for (int col = 0; col < 14; ++col)
    for (int row = 0; row < 7; ++row) EXPECT_TRUE(f.Layer_Control->Cell(col, row).isEmpty());
}

// Each control is found under its member's name (the table takes the name from the member).
TEST_F(EditFormWindowTest, EveryMemberIsBuiltOnceFromTheControlTable) {
  TEditForm& f = Form();
  QSet<QWidget*> seen;
  for (const EditFormControl& entry : EditFormControls()) {
    SCOPED_TRACE(entry.name);
    QWidget* control = entry.member(f);
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(seen.contains(control)) << "two entries for one member";
    seen.insert(control);
    EXPECT_EQ(f.findChild<QWidget*>(QString::fromLatin1(entry.name)), control);
    const QWidget* parent = entry.parent == EditFormControl::Parent::LeftMenu   ? static_cast<QWidget*>(f.Pnl_LeftMenu)
                            : entry.parent == EditFormControl::Parent::TopStrip ? static_cast<QWidget*>(f.Pnl_TopGFX)
                                                                                : &f;
    EXPECT_EQ(control->parentWidget(), parent);  // places are checked against the design above
    QString caption;
    QString hint = control->toolTip();
    if (auto* button = qobject_cast<TToolbarButton97*>(control)) {
      caption = button->Caption();
      hint = button->Hint();
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      caption = label->text();
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
      caption = box->text();
    }
    EXPECT_EQ(caption, entry.caption);
    EXPECT_EQ(hint, entry.hint);
  }
  // Every control member of the window is in the table: the window's direct children and the two
  // panels' children are exactly the table's controls.
  int children = 0;
  for (const QWidget* parent : std::initializer_list<const QWidget*>{&f, f.Pnl_LeftMenu, f.Pnl_TopGFX}) {
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!child->objectName().isEmpty() && !child->isWindow()) ++children;
    }
  }
  EXPECT_EQ(seen.size(), 34);
  EXPECT_EQ(children, seen.size());
}

// A window shown before its controls are built ends up as one built and then shown: every
// control of the table visible or hidden alike, and the same focus chain.
TEST_F(EditFormWindowTest, ShownFirstEndsUpLikeBuiltThenShown) {
  TEditForm shownFirst(nullptr, TEditForm::Start::ShownFirst);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&shownFirst));
  for (const EditFormControl& entry : EditFormControls()) {
    const QString name = QString::fromLatin1(entry.name);
    const QWidget* built = Form().findChild<QWidget*>(name);
    const QWidget* early = shownFirst.findChild<QWidget*>(name);
    ASSERT_NE(early, nullptr) << entry.name;
    EXPECT_EQ(early->isVisible(), built->isVisible()) << entry.name;
    EXPECT_EQ(early->nextInFocusChain()->objectName(), built->nextInFocusChain()->objectName()) << entry.name;
  }
}

TEST_F(EditFormWindowTest, StartDirIsTheWorkingDirectoryAtCreation) {
  EXPECT_EQ(Form().StartDir, Layouts().parent_path());
}

TEST_F(EditFormWindowTest, HintsOnlyWhereTheWindowGivesThem) {
  TEditForm& f = Form();
  QSet<QWidget*> withHint;
  for (const EditFormControl& entry : EditFormControls())
    if (!entry.hint.isEmpty()) withHint.insert(entry.member(f));
  // Every hint is an office-style one, through the window's own hint component.
  EXPECT_EQ(f.Hint95->parent(), &f);
  EXPECT_EQ(f.Hint95->HintStyle(), THintStyle::hsOffice97);
  EXPECT_TRUE(f.toolTip().isEmpty());
  for (QWidget* child : f.findChildren<QWidget*>()) {
    if (withHint.contains(child)) continue;
    EXPECT_TRUE(child->toolTip().isEmpty()) << child->metaObject()->className();
  }
}

// Colours as they reach the screen: strips, bevels, and each text in its colour.
TEST_F(EditFormWindowTest, ColoursAsDrawn) {
  TEditForm& f = Form();
  EXPECT_EQ(f.font().pixelSize(), 11);
  // Verdana where it is installed; otherwise only the stand-in is named, so that the font database
  // never searches for a stand-in of a missing face.
  const QStringList families = f.font().families();
  if (QFontDatabase::hasFamily(QStringLiteral("Verdana"))) {
    EXPECT_EQ(families.value(0), QStringLiteral("Verdana"));
  } else {
    EXPECT_EQ(families, QStringList{QStringLiteral("DejaVu Sans")});
  }
  f.Lbl_Warn->show();
  const QImage image = f.grab().toImage();
  f.Lbl_Warn->hide();
  EXPECT_EQ(image.pixelColor(300, 20), QColor(Qt::black)) << "top strip";
  EXPECT_EQ(image.pixelColor(10, 200), QColor(0, 128, 128)) << "menu strip";
  EXPECT_EQ(image.pixelColor(136, 340), QColor(0, 128, 128));
  // The menu buttons are not opaque: the strip shows through around glyph and caption.
  EXPECT_EQ(image.pixelColor(f.Btn_Open->mapTo(&f, QPoint(1, 1))), QColor(0, 128, 128));
  // The bevels: shadow on the upper left, and the list's bevel shows its highlight on the lower right.
  EXPECT_EQ(image.pixel(143, 280), f.palette().color(QPalette::Dark).rgb());
  EXPECT_EQ(image.pixel(400, 239), f.palette().color(QPalette::Dark).rgb());
  EXPECT_EQ(image.pixel(481, 280), f.palette().color(QPalette::Light).rgb());
  const auto shows = [&](const QWidget* control, const QColor& colour) {
    const QRect area(control->mapTo(&f, QPoint(0, 0)), control->size());
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (image.pixelColor(x, y) == colour) return true;
    return false;
  };
  const std::pair<const QWidget*, QColor> texts[] = {
      {f.Lbl_Menu, QColor(0, 191, 191)},         {f.Lbl_MenuHelp, Qt::white},
      {f.Lbl_Hinweis, Qt::white},                {f.Lbl_Copyright, QColor(128, 128, 128)},
      {f.Lbl_Version, QColor(128, 128, 128)},    {f.Btn_TileAdd, Qt::blue},
      {f.Btn_TileDel, Qt::red},                  {f.Lbl_Warn, Qt::red}};
  for (const auto& [control, colour] : texts) EXPECT_TRUE(shows(control, colour)) << control->objectName().toStdString();
}

TEST_F(EditFormWindowTest, NoCaptionIsCut) {
  TEditForm& f = Form();
  for (QLabel* label : f.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    SCOPED_TRACE(label->text().toStdString());
    const QFontMetrics metrics(label->font());
    if (label->wordWrap()) {
      EXPECT_LE(label->heightForWidth(label->width()), label->height());
      for (const QString& word : label->text().split(QLatin1Char(' ')))
        EXPECT_LE(metrics.horizontalAdvance(word), label->width()) << word.toStdString();
    } else {
      EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width());
      EXPECT_LE(metrics.height(), label->height() + 1);
    }
  }
  EXPECT_LE(f.CBX_Inscripe->sizeHint().width(), f.CBX_Inscripe->width());
}

TEST_F(EditFormWindowTest, TabOrderStartsAtTheNameEdit) {
  Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
  TEditForm& f = Form();
  EXPECT_EQ(QApplication::focusWidget(), f.Edit_Name);
  const QList<QWidget*> expected = {f.Edit_Author, f.Edit_Back, f.CBX_Inscripe, f.SBar_LayerCount,
                                    f.SBar_3D,     f.Layer_Control, f.UpDown_Layer, f.LBox_Tiles,
                                    f.Edit_Name};
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
  }
}

TEST_F(EditFormWindowTest, TheLinkCursorShowsOverTheLogoAndTheCopyrightLineOnly) {
  const std::optional<QCursor> link = CursorTable::Find(kLinkCursorNumber);
  ASSERT_TRUE(link.has_value());  // its image is checked with the cursor table
  TEditForm& f = Form();
  for (QWidget* linkControl : {static_cast<QWidget*>(f.Img_qmLogo), static_cast<QWidget*>(f.Lbl_Copyright)}) {
    EXPECT_TRUE(linkControl->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(linkControl->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(linkControl->cursor().hotSpot(), QPoint(0, 0));
  }
  for (QWidget* child : f.findChildren<QWidget*>()) {
    if (child == f.Img_qmLogo || child == f.Lbl_Copyright) continue;
    EXPECT_NE(child->cursor().shape(), Qt::BitmapCursor) << child->metaObject()->className();
  }
}

TEST_F(EditFormWindowTest, ClickingTheLinksOpensNoDialog) {
  Click(Form().Img_qmLogo);
  Click(Form().Lbl_Copyright);
  EXPECT_TRUE(Questions().empty());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace tilvaro::test
