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

// Position relative to the window's client area.
QPoint InWindow(const QWidget* widget) { return widget->mapTo(widget->window(), QPoint(0, 0)); }

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

TEST_F(EditFormWindowTest, ControlsOnTheWindowStandWhereTheyBelong) {
  TEditForm& f = Form();
  const struct {
    QWidget* control;
    QRect geometry;
  } fixed[] = {
      {f.Pnl_TopGFX, {0, 0, 504, 32}},         {f.Pnl_LeftMenu, {0, 32, 137, 309}},
      {f.Edit_Name, {192, 40, 289, 19}},       {f.Edit_Author, {192, 64, 289, 19}},
      {f.Edit_Back, {248, 96, 233, 19}},       {f.CBX_Inscripe, {144, 144, 225, 17}},
      {f.SBar_LayerCount, {144, 200, 185, 13}}, {f.SBar_3D, {360, 200, 121, 13}},
      {f.Bvl_Layer, {143, 239, 183, 92}},      {f.Layer_Control, {144, 240, 182, 91}},
      {f.UpDown_Layer, {328, 312, 13, 19}},    {f.Bvl_Steine, {359, 239, 123, 91}},
      {f.LBox_Tiles, {360, 240, 121, 89}},     {f.Btn_TileName, {485, 280, 16, 16}},
      {f.Btn_TileAdd, {485, 297, 16, 16}},     {f.Btn_TileDel, {485, 314, 16, 16}},
      {f.Img_qmLogo, {399, 0, 105, 32}},       {f.Lbl_Copyright, {2, 2, 134, 13}},
      {f.Lbl_Menu, {0, 32, 137, 18}},          {f.Lbl_MenuHelp, {0, 50, 137, 45}},
      {f.Btn_New, {33, 104, 70, 55}},          {f.Btn_Open, {33, 160, 70, 55}},
      {f.Btn_Save, {33, 216, 70, 55}},         {f.Lbl_Hinweis, {0, 287, 137, 54}},
  };
  for (const auto& [control, geometry] : fixed) {
    EXPECT_EQ(QRect(InWindow(control), control->size()), geometry) << control->objectName().toStdString()
                                                                   << " " << control->metaObject()->className();
  }
  // Labels that size themselves to their caption keep their place and height and are at least as
  // wide as designed.
  const struct {
    QLabel* label;
    QRect geometry;
    const char* caption;
  } labels[] = {
      {f.Lbl_Name, {144, 43, 38, 13}, "Name:"},
      {f.Lbl_Author, {144, 67, 36, 13}, "Autor:"},
      {f.Lbl_Back, {144, 99, 92, 13}, "Hintergrundbild:"},
      {f.Lbl_LayerCount, {144, 176, 128, 13}, "Anzahl Ebenen ( 1..4 )"},
      {f.Lbl_3D, {360, 176, 68, 13}, "3D - Farben"},
      {f.Lbl_Layer, {144, 224, 40, 13}, "Ebene:"},
      {f.Lbl_Warn, {187, 224, 137, 13}, "Ungerade Anzahl Steine"},
      {f.Lbl_CLayer, {328, 224, 7, 13}, "1"},
      {f.Lbl_Tiles, {360, 224, 41, 13}, "Steine:"},
      {f.Lbl_Version, {2, 18, 102, 13}, "Version 1.00 Beta"},
  };
  for (const auto& [label, geometry, caption] : labels) {
    SCOPED_TRACE(caption);
    EXPECT_EQ(label->text(), QString::fromUtf8(caption));
    EXPECT_EQ(InWindow(label), geometry.topLeft());
    EXPECT_EQ(label->height(), geometry.height());
    EXPECT_GE(label->width(), geometry.width());
  }
}

TEST_F(EditFormWindowTest, CaptionsAndPanelTexts) {
  TEditForm& f = Form();
  EXPECT_EQ(f.CBX_Inscripe->text(), QStringLiteral("Beschriftung (Zahlen, Buchstaben)"));
  EXPECT_EQ(f.Lbl_Menu->text(), QStringLiteral("Menü"));
  EXPECT_EQ(f.Lbl_MenuHelp->text(), QStringLiteral("Hier finden sie alle Funktionen des Editors."));
  EXPECT_EQ(f.Lbl_Hinweis->text(),
            QStringLiteral("Fertige Layouts können Sie gerne an layouts@tilvaro.example schicken."));
  EXPECT_FALSE(f.Lbl_Copyright->text().isEmpty());
  EXPECT_EQ(QStringList({f.Btn_New->Caption(), f.Btn_Open->Caption(), f.Btn_Save->Caption(), f.Btn_TileAdd->Caption(),
                         f.Btn_TileDel->Caption(), f.Btn_TileName->Caption()}),
            QStringList({"Neu", "Öffnen", "Speichern", "+", "-", ""}));
  EXPECT_EQ(f.Btn_TileName->Glyph().size(), QSize(16, 16));
  for (TToolbarButton97* menu : {f.Btn_New, f.Btn_Open, f.Btn_Save}) {
    EXPECT_EQ(menu->Glyph().size(), QSize(16, 16));
    EXPECT_EQ(menu->Layout(), TButtonLayout::blGlyphTop);
    EXPECT_FALSE(menu->Opaque());
  }
  EXPECT_EQ(f.Btn_TileAdd->FontColor(), QColor(Qt::blue));
  EXPECT_EQ(f.Btn_TileDel->FontColor(), QColor(Qt::red));
  EXPECT_TRUE(f.Btn_TileAdd->font().bold());
  EXPECT_FALSE(f.Img_qmLogo->pixmap().isNull());
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
  const QList<QWidget*> withHint = {f.SBar_LayerCount, f.SBar_3D, f.UpDown_Layer, f.Img_qmLogo, f.Lbl_Copyright};
  QStringList toolTips, hints;
  for (const QWidget* control : withHint) toolTips << control->toolTip();
  for (const TToolbarButton97* button : {f.Btn_New, f.Btn_Open, f.Btn_Save, f.Btn_TileAdd, f.Btn_TileDel, f.Btn_TileName})
    hints << button->Hint();
  EXPECT_EQ(toolTips, QStringList({"1 Ebene(n)", "Hellgrau", "Auswahl der Ebene", "www.tilvaro.example", "E-mail"}));
  EXPECT_EQ(hints, QStringList({"Neues Layout", "Layout öffnen", "Layout speichern", "Stein hinzufügen",
                                "Ausgewählten Stein löschen", "Ausgewählten Stein umbenennen"}));
  // Every hint is an office-style one, through the window's own hint component.
  EXPECT_EQ(f.Hint95->parent(), &f);
  EXPECT_EQ(f.Hint95->HintStyle(), THintStyle::hsOffice97);
  EXPECT_TRUE(f.toolTip().isEmpty());
  for (QWidget* child : f.findChildren<QWidget*>()) {
    if (withHint.contains(child)) continue;
    EXPECT_TRUE(child->toolTip().isEmpty()) << child->metaObject()->className();
  }
}

TEST_F(EditFormWindowTest, FontsAndColours) {
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
  EXPECT_EQ(f.Lbl_Menu->font().pixelSize(), 16);
  EXPECT_TRUE(f.Lbl_Menu->font().bold());
  EXPECT_EQ(f.Lbl_Menu->palette().color(QPalette::WindowText), QColor(0, 191, 191));
  EXPECT_EQ(f.Lbl_MenuHelp->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(f.Lbl_Hinweis->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(f.Lbl_Copyright->palette().color(QPalette::WindowText), QColor(128, 128, 128));
  EXPECT_EQ(f.Lbl_Version->palette().color(QPalette::WindowText), QColor(128, 128, 128));
  EXPECT_EQ(f.Lbl_Warn->palette().color(QPalette::WindowText), QColor(Qt::red));

  const QImage image = f.grab().toImage();
  EXPECT_EQ(image.pixelColor(300, 20), QColor(Qt::black)) << "top strip";
  EXPECT_EQ(image.pixelColor(10, 200), QColor(0, 128, 128)) << "menu strip";
  EXPECT_EQ(image.pixelColor(136, 340), QColor(0, 128, 128));
  // The bevels: shadow on the upper left, and the list's bevel shows its highlight on the lower right.
  EXPECT_EQ(image.pixel(143, 280), f.palette().color(QPalette::Dark).rgb());
  EXPECT_EQ(image.pixel(400, 239), f.palette().color(QPalette::Dark).rgb());
  EXPECT_EQ(image.pixel(481, 280), f.palette().color(QPalette::Light).rgb());
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

TEST_F(EditFormWindowTest, ClickingTheLinksDoesNothingYet) {
  Click(Form().Img_qmLogo);
  Click(Form().Lbl_Copyright);
  EXPECT_TRUE(Questions().empty());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace tilvaro::test
