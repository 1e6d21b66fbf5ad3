#include "editor/EditFormControls.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <type_traits>

#include "widgets/Bevel.h"
#include "widgets/ClickLabel.h"
#include "widgets/Edit97.h"
#include "widgets/LayerGrid.h"
#include "widgets/ListBox.h"
#include "widgets/Panel.h"
#include "widgets/ScrollBar.h"
#include "button/ToolbarButton97.h"
#include "widgets/UpDown.h"
#include "editor/EditForm.h"
#include "editor/EditorFont.h"

namespace tilvaro {
namespace {

using Parent = EditFormControl::Parent;
using Font = EditFormControl::Font;

// The control class of a member, made with its parent. Scroll bars are the one class that also
// needs an orientation; every scroll bar of the window is horizontal.
template <typename Control>
Control* MakeControl(QWidget* parent) {
  if constexpr (std::is_same_v<Control, TScrollBar>) {
    return new TScrollBar(Qt::Horizontal, parent);
  } else {
    return new Control(parent);
  }
}

template <auto Member>
QWidget* Create(TEditForm& form, QWidget* parent) {
  using Control = std::remove_pointer_t<std::remove_reference_t<decltype(form.*Member)>>;
  Control* control = MakeControl<Control>(parent);
  form.*Member = control;
  return control;
}

template <auto Member>
QWidget* Get(const TEditForm& form) {
  return form.*Member;
}

// One entry; the member gives the name, the maker and the getter.
#define TILVARO_CONTROL(member) #member, &Create<&TEditForm::member>, &Get<&TEditForm::member>

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// A label drawn from its top-left corner.
void SetUpLabel(QLabel& label, const QString& caption, bool wordWrap) {
  label.setText(caption);
  label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label.setMargin(0);
  label.setIndent(0);
  label.setWordWrap(wordWrap);
}

}  // namespace

std::span<const EditFormControl> EditFormControls() {
  static const EditFormControl controls[] = {
      {TILVARO_CONTROL(Lbl_Name), Parent::Window, {144, 43, 38, 13}, Text("Name:"), {}},
      {TILVARO_CONTROL(Edit_Name), Parent::Window, {192, 40, 289, 19}, {}, {}},
      {TILVARO_CONTROL(Edit_Author), Parent::Window, {192, 64, 289, 19}, {}, {}},
      {TILVARO_CONTROL(Lbl_Author), Parent::Window, {144, 67, 36, 13}, Text("Autor:"), {}},
      // The bevel is made before the grid so that the grid lies on top of the bevel's lower right
      // edges, which run along the grid's own last grid lines.
      {TILVARO_CONTROL(Bvl_Layer), Parent::Window, {143, 239, 183, 92}, {}, {}},
      {TILVARO_CONTROL(Layer_Control), Parent::Window, {144, 240, TLayerGrid::kWidth, TLayerGrid::kHeight}, {}, {}},
      {TILVARO_CONTROL(Lbl_Layer), Parent::Window, {144, 224, 40, 13}, Text("Ebene:"), {}},
      {TILVARO_CONTROL(UpDown_Layer), Parent::Window, {328, 312, 13, 19}, {}, Text("Auswahl der Ebene")},
      {TILVARO_CONTROL(CBX_Inscripe), Parent::Window, {144, 144, 225, 17},
       Text("Beschriftung (Zahlen, Buchstaben)"), {}},
      {TILVARO_CONTROL(Lbl_LayerCount), Parent::Window, {144, 176, 128, 13}, Text("Anzahl Ebenen ( 1..4 )"), {}},
      {TILVARO_CONTROL(SBar_LayerCount), Parent::Window, {144, 200, 185, 13}, {}, Text("1 Ebene(n)")},

      {TILVARO_CONTROL(Pnl_LeftMenu), Parent::Window, {0, 32, 137, 309}, {}, {}},
      {TILVARO_CONTROL(Lbl_Menu), Parent::LeftMenu, {0, 0, 137, 18}, Text("Menü"), {}, Font::MenuTitle},
      {TILVARO_CONTROL(Lbl_MenuHelp), Parent::LeftMenu, {0, 18, 137, 45},
       Text("Hier finden sie alle Funktionen des Editors."), {}, Font::Window, true},
      {TILVARO_CONTROL(Btn_New), Parent::LeftMenu, {33, 72, 70, 55}, Text("Neu"), Text("Neues Layout")},
      {TILVARO_CONTROL(Btn_Open), Parent::LeftMenu, {33, 128, 70, 55}, Text("Öffnen"), Text("Layout öffnen")},
      {TILVARO_CONTROL(Btn_Save), Parent::LeftMenu, {33, 184, 70, 55}, Text("Speichern"),
       Text("Layout speichern")},
      {TILVARO_CONTROL(Lbl_Hinweis), Parent::LeftMenu, {0, 255, 137, 54},
       Text("Fertige Layouts können Sie gerne an ") + Text(TEditForm::kContactAddress) + Text(" schicken."), {},
       Font::Window, true},

      {TILVARO_CONTROL(Pnl_TopGFX), Parent::Window, {0, 0, 504, 32}, {}, {}},
      // The logo stands at the right end of the strip.
      {TILVARO_CONTROL(Img_qmLogo), Parent::TopStrip, {399, 0, 105, 32}, {}, Text(TEditForm::kWebAddress)},
      {TILVARO_CONTROL(Lbl_Copyright), Parent::TopStrip, {2, 2, 134, 13}, Text(TEditForm::kCopyrightLine),
       Text("E-mail"), Font::Plain},
      {TILVARO_CONTROL(Lbl_Version), Parent::TopStrip, {2, 18, 102, 13}, Text("Version 1.00 Beta"), {},
       Font::Plain},

      {TILVARO_CONTROL(Bvl_Steine), Parent::Window, {359, 239, 123, 91}, {}, {}},
      {TILVARO_CONTROL(LBox_Tiles), Parent::Window, {360, 240, 121, 89}, {}, {}},
      {TILVARO_CONTROL(Lbl_Tiles), Parent::Window, {360, 224, 41, 13}, Text("Steine:"), {}},
      {TILVARO_CONTROL(Btn_TileAdd), Parent::Window, {485, 297, 16, 16}, Text("+"), Text("Stein hinzufügen"),
       Font::Bold},
      {TILVARO_CONTROL(Btn_TileDel), Parent::Window, {485, 314, 16, 16}, Text("-"),
       Text("Ausgewählten Stein löschen"), Font::Bold},
      {TILVARO_CONTROL(Lbl_Back), Parent::Window, {144, 99, 92, 13}, Text("Hintergrundbild:"), {}},
      {TILVARO_CONTROL(Edit_Back), Parent::Window, {248, 96, 233, 19}, {}, {}},
      {TILVARO_CONTROL(Lbl_3D), Parent::Window, {360, 176, 68, 13}, Text("3D - Farben"), {}},
      {TILVARO_CONTROL(SBar_3D), Parent::Window, {360, 200, 121, 13}, {}, Text("Hellgrau")},
      {TILVARO_CONTROL(Lbl_CLayer), Parent::Window, {328, 224, 7, 13}, Text("1"), {}},
      {TILVARO_CONTROL(Lbl_Warn), Parent::Window, {187, 224, 137, 13}, Text("Ungerade Anzahl Steine"), {},
       Font::Plain},
      {TILVARO_CONTROL(Btn_TileName), Parent::Window, {485, 280, 16, 16}, {},
       Text("Ausgewählten Stein umbenennen"), Font::Bold},
  };
  return controls;
}

#undef TILVARO_CONTROL

void TEditForm::CreateControls() {
  for (const EditFormControl& entry : EditFormControls()) {
    QWidget* parent = this;
    if (entry.parent == EditFormControl::Parent::LeftMenu) parent = Pnl_LeftMenu;
    if (entry.parent == EditFormControl::Parent::TopStrip) parent = Pnl_TopGFX;
    QWidget* control = entry.create(*this, parent);
    // Object names equal to the member names, so that tools and tests can find a control by name.
    control->setObjectName(QString::fromLatin1(entry.name));
    switch (entry.font) {
      case EditFormControl::Font::Window: break;
      case EditFormControl::Font::Plain: control->setFont(EditorFont(11)); break;
      case EditFormControl::Font::Bold: control->setFont(EditorFont(11, true)); break;
      case EditFormControl::Font::MenuTitle: control->setFont(EditorFont(16, true)); break;
    }
    QRect geometry = entry.geometry;
    if (auto* button = qobject_cast<TToolbarButton97*>(control)) {
      button->SetCaption(entry.caption);
      button->SetHint(entry.hint);
    } else {
      control->setToolTip(entry.hint);
    }
    if (auto* box = qobject_cast<QCheckBox*>(control)) box->setText(entry.caption);
    if (auto* label = qobject_cast<QLabel*>(control)) {
      SetUpLabel(*label, entry.caption, entry.wordWrap);
      // A label that does not wrap is at least as wide as its caption in the face actually used,
      // so a wider fallback face never cuts a caption.
      if (!entry.wordWrap) geometry.setWidth(std::max(geometry.width(), QFontMetrics(label->font()).horizontalAdvance(entry.caption)));
    }
    control->setGeometry(geometry);
  }
}

}  // namespace tilvaro
