#pragma once
// TEdit97: a single-line edit that looks flat until the user works with it.
//
// The edit draws its own 3-pixel frame instead of the style's: normally two lines in the button-face
// colour and one in the window colour, so it blends into its form; a thin sunken frame while it has
// the focus, or while the pointer is over it and the focused control is not another flat edit.
// Its height follows its font: the font's line height plus 6 pixels for the frame, set when the
// edit is polished (after its parent has set it up, so a stored height is overridden) and on every
// font change. The client area lies inside the frame, 6 pixels narrower and lower than the edit.

#include <QLineEdit>

namespace tilvaro {

class TEdit97 : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr int kFrameWidth = 3;

  explicit TEdit97(QWidget* parent = nullptr);  // flat, 19 high with an 11-pixel font
  ~TEdit97() override;

  // The controls' version text; writing it changes nothing.
  QString Version() const;
  void SetVersion(const QString&) {}

  // True between the pointer entering and leaving the edit.
  bool MouseInControl() const { return mouseInControl_; }
  // Whether the frame is drawn sunken right now (focus, or hover while no flat edit has the focus).
  bool IsSunken() const;
  // Height for the current font: line height plus the frame above and below.
  int HeightForFont() const;

  // Whether the widget counts as a flat edit: its class, or a base class, is in the flat-edit
  // class list, which holds TEdit97 while any instance exists.
  static bool IsFlatEdit(const QWidget* widget);

  // Layouts give the edit its font's height too.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void initStyleOption(QStyleOptionFrame* option) const override;

 private:
  void AdjustHeight();
  void PaintFrame(QPainter& painter) const;

  bool mouseInControl_ = false;
};

}  // namespace tilvaro
