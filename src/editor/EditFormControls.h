#pragma once
// The one description of the editor window's controls: for each, the member that holds it (whose
// name is also its object name), its parent, its rectangle in the parent, its caption, its hint and
// its font. The window is built from this table (TEditForm::CreateControls, defined beside it), and
// tests walk it; what a control needs beyond these (ranges, colours, glyphs, pictures) the window
// sets up after building them. The table knows the window; the window does not include the table.

#include <QRect>
#include <QString>
#include <span>

class QWidget;

namespace tilvaro {

class TEditForm;

struct EditFormControl {
  enum class Parent { Window, LeftMenu, TopStrip };
  enum class Font {
    Window,      // the window's own font, inherited
    Plain,       // the window's face at 11 pixels, set on the control itself
    Bold,        // the same in bold
    MenuTitle,   // 16 pixels bold
  };

  const char* name;
  // Makes the control as a child of `parent` and stores it in its member.
  QWidget* (*create)(TEditForm& form, QWidget* parent);
  // The member as it is now.
  QWidget* (*member)(const TEditForm& form);
  Parent parent;
  QRect geometry;
  QString caption;  // a label's or check box's text, a button's caption; empty for none
  QString hint;     // a button's hint, any other control's tool tip; empty for none
  Font font = Font::Window;
  bool wordWrap = false;  // labels only: a label that does not wrap grows to fit its caption
};

// The controls in the order they are made, which is also their stacking order: a bevel comes
// before the control that lies on it.
std::span<const EditFormControl> EditFormControls();

}  // namespace tilvaro
