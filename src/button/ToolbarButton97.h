#pragma once
// TToolbarButton97: the flat, toolbar-style push button used for every button of the editor.
//
// A light child widget that paints its whole face itself: an optional background, a frame (a thin
// one on a flat button only while it is hot or pressed), a checker fill on a latched face, and a
// glyph and caption drawn by its TButtonGlyph. What the button does with the pointer, keys and
// timers is decided by its ButtonBehaviour; this class turns Qt's events into the behaviour's
// inputs and its effects into repaints, raised events and timer calls.
//
// On top of a push button it latches as a member of a group (GroupIndex), repeats its click while
// held (Repeating), hands its ModalResult to the dialog it is in, answers Enter (Default), Escape
// (Cancel) and the caption's '&' accelerator, and can open a drop-down menu (DropdownMenu,
// DropdownAlways, DropdownCombo). Every event is raised through RaiseEvent.

#include <QColor>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "button/ButtonBehaviour.h"
#include "glyphs/ButtonTypes.h"
#include "hints/HintedControl.h"
#include "platform/raster/Bitmap.h"

class QPainter;

namespace tilvaro {

class ControlTimer;
class TButtonGlyph;
class TImageList;

// The modifier set of a pointer event: the keys held, and whether the press is the second of a
// double-click.
struct TShiftState {
  Qt::KeyboardModifiers keys;
  bool doubleClick = false;
  bool operator==(const TShiftState&) const = default;
};

class TToolbarButton97 : public QWidget, public HintedControl {
  Q_OBJECT

 public:
  static constexpr int kDefaultWidth = 23;
  static constexpr int kDefaultHeight = 22;
  static constexpr int kMinDropdownArrowWidth = 7;

  using TNotifyEvent = std::function<void(QObject* sender)>;
  // Sender, pressed button (NoButton for a move), shift state (modifier keys and the double-click
  // flag), client coordinates.
  using TMouseEvent = std::function<void(QObject* sender, Qt::MouseButton button, TShiftState shift, int x, int y)>;
  // Sender, var ShowMenu, var RemoveClicks.
  using TButtonDropdownEvent = std::function<void(QObject* sender, bool& showMenu, bool& removeClicks)>;

  explicit TToolbarButton97(QWidget* parent = nullptr);  // 23 x 22, flat, opaque
  ~TToolbarButton97() override;

  // --- Caption and glyph ----------------------------------------------------------------------
  // '&' marks the accelerator (the character after the first '&'; none when '&' ends the text).
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }

  // A strip of NumGlyphs images side by side; image k is drawn for ButtonState k when
  // k < NumGlyphs, image 0 otherwise. The colour of the strip's bottom-left pixel is transparent.
  void SetGlyph(const QImage& glyph);
  QImage Glyph() const { return glyph_; }
  void SetGlyphMask(const Bitmap& mask);  // white transparent, any other colour opaque
  const Bitmap& GlyphMask() const;
  void SetNumGlyphs(int count);  // clamped to 1..5
  int NumGlyphs() const;
  // An image list as the glyph source instead of Glyph; not owned.
  void SetImages(TImageList* images);
  TImageList* Images() const;
  void SetImageIndex(int index);
  int ImageIndex() const;
  void SetOldDisabledStyle(bool value);
  bool OldDisabledStyle() const { return oldDisabledStyle_; }

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
  void SetWordWrap(bool wrap);
  bool WordWrap() const { return wordWrap_; }

  // --- Face -----------------------------------------------------------------------------------
  void SetFlat(bool flat);  // flat: a frame only while hot or pressed
  bool Flat() const { return behaviour_.props.flat; }
  void SetOpaque(bool opaque);  // opaque: the face is filled with Color; otherwise the parent shows
  bool Opaque() const { return opaque_; }
  void SetNoBorder(bool noBorder);  // never a frame, and the content is not inset
  bool NoBorder() const { return noBorder_; }
  void SetHighlightWhenDown(bool highlight);  // a latched face is filled with the checker
  bool HighlightWhenDown() const { return highlightWhenDown_; }
  void SetColor(const QColor& color);  // background of an opaque face; default the button face
  QColor Color() const;
  // Colour of the caption (the button's font colour); default the palette's button text.
  void SetFontColor(const QColor& color);
  QColor FontColor() const;

  // --- Groups ---------------------------------------------------------------------------------
  // Buttons of one parent with the same non-zero GroupIndex latch mutually exclusively.
  void SetGroupIndex(int index);
  int GroupIndex() const { return behaviour_.props.groupIndex; }
  void SetDown(bool down);  // latched; stays false while GroupIndex is 0
  bool Down() const { return behaviour_.Down(); }
  void SetAllowAllUp(bool allow);  // shared by the whole group
  bool AllowAllUp() const { return behaviour_.props.allowAllUp; }

  // --- Auto-repeat ----------------------------------------------------------------------------
  void SetRepeating(bool repeating) { behaviour_.props.repeating = repeating; }
  bool Repeating() const { return behaviour_.props.repeating; }
  void SetRepeatDelay(int ms) { repeatDelay_ = ms; }
  int RepeatDelay() const { return repeatDelay_; }
  void SetRepeatInterval(int ms) { repeatInterval_ = ms; }
  int RepeatInterval() const { return repeatInterval_; }

  // --- Drop-down ------------------------------------------------------------------------------
  void SetDropdownMenu(QMenu* menu);  // not owned; a destroyed menu is dropped
  QMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownAlways(bool always);
  bool DropdownAlways() const { return dropdownAlways_; }
  void SetDropdownArrow(bool arrow);
  bool DropdownArrow() const { return dropdownArrow_; }
  void SetDropdownArrowWidth(int width);  // at least 7; a combo's width follows
  int DropdownArrowWidth() const { return dropdownArrowWidth_; }
  void SetDropdownCombo(bool combo);  // adds (or removes) the arrow part's width
  bool DropdownCombo() const { return behaviour_.props.dropdownCombo; }
  bool HasDropdown() const { return behaviour_.props.hasDropdown; }

  // --- Keys, dialogs, hot tracking ------------------------------------------------------------
  void SetDefault(bool value) { default_ = value; }  // Enter clicks the button
  bool Default() const { return default_; }
  void SetCancel(bool value) { cancel_ = value; }  // Escape clicks the button
  bool Cancel() const { return cancel_; }
  void SetModalResult(int result) { modalResult_ = result; }
  int ModalResult() const { return modalResult_; }
  void SetShowBorderWhenInactive(bool show) { behaviour_.props.showBorderWhenInactive = show; }
  bool ShowBorderWhenInactive() const { return behaviour_.props.showBorderWhenInactive; }

  // The hint is shown by the application's hint machinery while ShowHint is on (the default); a
  // window that keeps hints off switches ShowHint off for its buttons and the hint is only stored.
  void SetHint(const QString& hint) { hint_ = hint; }
  QString Hint() const { return hint_; }
  void SetShowHint(bool show) { showHint_ = show; }
  bool ShowHint() const { return showHint_; }
  bool ShowsOwnHint() const override { return showHint_; }
  QString OwnHintText() const override { return hint_; }

  // A fixed text; writing it is ignored.
  QString Version() const;
  void SetVersion(const QString&) {}

  // --- State ----------------------------------------------------------------------------------
  ButtonState State() const { return behaviour_.State(); }
  bool PointerOver() const { return behaviour_.PointerOver(); }
  bool LeftButtonHeld() const { return behaviour_.LeftButtonHeld(); }
  bool ClickInProgress() const { return behaviour_.ClickInProgress(); }
  bool ArrowPartPressed() const { return behaviour_.ArrowPartPressed(); }

  // --- Events ---------------------------------------------------------------------------------
  TNotifyEvent OnClick;  // after ModalResult was handed to a dialog ancestor, which is still open
  TNotifyEvent OnDblClick;  // the second press of a double-click on a latched button
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TButtonDropdownEvent OnDropdown;

  // Clicks the button as a completed press and release over the face would.
  void Click();

  // Hands an input to the behaviour and carries out its effects; used by ButtonTracking for the
  // hot tracking, cancel mode and keys that it sees for the whole application.
  void Feed(const ButtonInput& input);
  // Enter or Escape offered by the window: clicks and returns true when this button answers it.
  bool AnswerDialogKey(int key, Qt::KeyboardModifiers modifiers);
  // Clicks as Enter on a Default button does: only while the button and its parent are enabled
  // and shown. Returns whether it clicked. Assistive tools press the button through this.
  bool ClickAsKey();
  // Runs the drop-down as a press on the arrow part does, under the same conditions, when the
  // button has a drop-down. Returns whether it ran.
  bool DropdownAsKey();
  // The caption's accelerator: the character after the first '&'; none when '&' is missing or
  // ends the caption, or the button shows its glyph only.
  QChar Accelerator() const;
  // Alt with the accelerator, which clicks whatever control has the focus; none without one.
  std::optional<QKeyCombination> AcceleratorKey() const;
  // A character offered by the window: clicks and returns true when it is the accelerator.
  bool AnswerDialogChar(QChar character);

  // Draws the whole face (background, frame, checker, glyph, caption, arrow) for the state.
  void Paint(QPainter& painter);
  // The glyph and caption renderer that Paint draws the content with.
  TButtonGlyph& Renderer() { return *renderer_; }

  // The repeat timer, while one exists (for tests that tick it by hand).
  ControlTimer* RepeatClock() const { return repeatClock_.get(); }

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
  void Apply(const ButtonEffects& effects);
  void Press(QMouseEvent* event, bool doubleClick);
  void RememberMouse(QMouseEvent* event, bool doubleClick = false);
  // Raises an event of the click; a failure is kept and reported once the click is over.
  template <typename Handler, typename... Args>
  bool RaiseInClick(const Handler& handler, Args&&... args);
  void RaiseMouse(const TMouseEvent& handler);
  void Redraw(bool erase);
  bool DeclaredOpaque() const { return opaque_ || !Flat(); }
  bool InFace(QPoint point) const;
  bool ParentCanFocus() const;
  void SyncGroup();
  void ModalResultClick();
  void ShowDropdown();
  void RepeatTick();
  void UpdateHasDropdown();
  void UpdateAccelerator();

  ButtonBehaviour behaviour_;
  QString caption_;
  QImage glyph_;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  TAlignment alignment_ = TAlignment::taCenter;
  TButtonDisplayMode displayMode_ = TButtonDisplayMode::dmBoth;
  int spacing_ = 4;
  int margin_ = -1;
  bool wordWrap_ = false;
  bool oldDisabledStyle_ = false;
  bool opaque_ = true;
  bool noBorder_ = false;
  bool highlightWhenDown_ = true;
  int repeatDelay_ = 400;
  int repeatInterval_ = 100;
  QPointer<QMenu> dropdownMenu_;
  bool dropdownAlways_ = false;
  bool dropdownArrow_ = true;
  int dropdownArrowWidth_ = 9;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  QString hint_;
  bool showHint_ = true;
  int shortcutId_ = 0;

  // The mouse event being handled, for OnMouseDown, OnMouseMove and OnMouseUp.
  Qt::MouseButton mouseButton_ = Qt::NoButton;
  TShiftState mouseShift_;
  QPoint mousePos_;
  bool erasePending_ = false;    // a repaint that lets the parent erase is waiting
  bool noErasePending_ = false;  // the control is declared opaque until the next paint

  std::unique_ptr<ControlTimer> repeatClock_;
  std::unique_ptr<TButtonGlyph> renderer_;
  bool paintErrorReported_ = false;  // a failing glyph is reported once, not at every paint
  std::exception_ptr clickFailure_;  // a handler of the running click failed
};

}  // namespace tilvaro
