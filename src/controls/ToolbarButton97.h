#pragma once
// TToolbarButton97: the flat, toolbar-style push button used for every button of the editor.
//
// A light child widget that paints its whole face itself: an optional background, a thin raised
// frame while the pointer is over a flat button, a sunken frame with the content shifted by (1, 1)
// while it is pressed, and a glyph and caption laid out per Layout. A left release over the face
// clicks it: the ModalResult is handed to the top-level QDialog first (a non-zero value ends its
// modal loop with that result), then OnClick runs. A release off the face clicks nothing.
// The caption's '&' marks an accelerator: Alt+letter clicks the button while its window is active.

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "controls/ButtonTypes.h"

class QPainter;

namespace tilvaro {

class TButtonGlyph;

class TToolbarButton97 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultWidth = 23;
  static constexpr int kDefaultHeight = 22;

  explicit TToolbarButton97(QWidget* parent = nullptr);  // 23 x 22, flat, opaque
  ~TToolbarButton97() override;

  // '&' marks the accelerator (the character after the first '&'; none when '&' ends the text).
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }

  // A strip of NumGlyphs images side by side; image k is drawn for ButtonState k when
  // k < NumGlyphs, image 0 otherwise. The colour of the strip's bottom-left pixel is transparent.
  void SetGlyph(const QImage& glyph);
  QImage Glyph() const { return glyph_; }
  void SetNumGlyphs(int count);  // clamped to 1..5
  int NumGlyphs() const { return numGlyphs_; }

  void SetLayout(TButtonLayout layout);
  TButtonLayout Layout() const { return layout_; }
  void SetAlignment(TAlignment alignment);
  TAlignment Alignment() const { return alignment_; }
  void SetDisplayMode(TButtonDisplayMode mode);
  TButtonDisplayMode DisplayMode() const { return displayMode_; }
  void SetSpacing(int spacing);  // pixels between glyph and caption
  int Spacing() const { return spacing_; }
  void SetMargin(int margin);  // distance from the edge; -1 centres; values below -1 are ignored
  int Margin() const { return margin_; }

  void SetFlat(bool flat);  // flat: a frame only while hot or pressed
  bool Flat() const { return flat_; }
  void SetOpaque(bool opaque);  // opaque: the face is filled with Color; otherwise the parent shows
  bool Opaque() const { return opaque_; }
  void SetColor(const QColor& color);  // background of an opaque face; default the button face
  QColor Color() const;

  // Colour of the caption (the button's font colour); default the palette's button text.
  void SetFontColor(const QColor& color);
  QColor FontColor() const;

  void SetModalResult(int result) { modalResult_ = result; }
  int ModalResult() const { return modalResult_; }

  // The hint is shown as a tool tip while ShowHint is on (the default); a window that keeps hints
  // off switches ShowHint off for its buttons and the hint is only stored.
  void SetHint(const QString& hint) { hint_ = hint; }
  QString Hint() const { return hint_; }
  void SetShowHint(bool show) { showHint_ = show; }
  bool ShowHint() const { return showHint_; }

  ButtonState State() const { return state_; }
  bool PointerOver() const { return pointerOver_; }
  bool LeftButtonHeld() const { return leftButtonHeld_; }
  bool ClickInProgress() const { return clickInProgress_; }

  // Raised on a click, after ModalResult was handed to a QDialog ancestor.
  std::function<void(QObject* sender)> OnClick;
  std::function<void(QObject* sender)> OnMouseEnter;
  std::function<void(QObject* sender)> OnMouseExit;

  // Clicks the button as a completed press and release over the face would.
  void Click();

  // Draws the whole face (background, frame, glyph, caption) for the current state.
  void Paint(QPainter& painter);
  // The glyph and caption renderer that Paint draws the content with.
  TButtonGlyph& Renderer() { return *renderer_; }

  QSize sizeHint() const override { return {kDefaultWidth, kDefaultHeight}; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void PointerEntered();
  void PointerLeft();
  bool PointInFace(const QPoint& point) const;
  void UpdateAccelerator();
  void SetState(ButtonState state);

  QString caption_;
  QImage glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  TAlignment alignment_ = TAlignment::taCenter;
  TButtonDisplayMode displayMode_ = TButtonDisplayMode::dmBoth;
  int spacing_ = 4;
  int margin_ = -1;
  bool flat_ = true;
  bool opaque_ = true;
  int modalResult_ = 0;
  QString hint_;
  bool showHint_ = true;

  ButtonState state_ = ButtonState::Up;
  bool clickInProgress_ = false;
  bool pointerOver_ = false;
  bool leftButtonHeld_ = false;
  int shortcutId_ = 0;

  std::unique_ptr<TButtonGlyph> renderer_;
  bool paintErrorReported_ = false;  // a failing glyph is reported once, not at every paint
};

}  // namespace tilvaro
