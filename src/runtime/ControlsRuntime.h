#pragma once
// ControlsRuntime: the one owner of the resources that all controls of the process share.
//
// Each resource is made on first need, through its own accessor, and everything goes when the
// QApplication does (a post routine of the application deletes the runtime; with no application
// the runtime lives until the process ends). Code that runs while things are being torn down asks
// Existing(), which never creates the runtime again.
//
// Resources: the hot toolbar button with its 125 ms leave timer, the checker pattern of latched
// faces, the one application-wide event filter (it swallows Qt's tool-tip events, feeds the hint
// machinery, and sees pointer moves over other widgets, the application's deactivation, popups and
// modal windows that take the pointer, the window-wide Enter, Escape and accelerator keys, and the
// release of a press handed on after a drop-down menu closed), the drop-down menu registry, the
// application hint text, the hint machinery, the glyph cache, and the factory of the controls'
// timers.

#include <QImage>
#include <QObject>
#include <QPointer>
#include <memory>

#include "button/ClosingPress.h"
#include "runtime/ControlTimer.h"
#include "platform/raster/Color.h"

class QKeyEvent;
class QWidget;

namespace tilvaro {

class ApplicationHint;
class HintMachinery;
class TDropdownList;
class TGlyphCache;
class TToolbarButton97;
class TextCache;

class ControlsRuntime : public QObject {
  Q_OBJECT

 public:
  // The runtime, made first if it does not exist.
  static ControlsRuntime& Instance();
  // The runtime, or null when none exists (never made here).
  static ControlsRuntime* Existing();

  ~ControlsRuntime() override;

  // --- Hot tracking ---------------------------------------------------------------------------
  // The one button that shows itself as under the pointer, or null.
  TToolbarButton97* HotButton() const;
  // The pointer moved onto `button`: the previous hot button leaves, and `button` becomes hot
  // (leave timer running) if it shows its border while inactive or the application is active.
  void PointerOnto(TToolbarButton97& button);
  // If `button` is the hot button, the leave timer stops and there is no hot button any more.
  void StopLeaveTracking(const TToolbarButton97& button);
  ControlTimer& LeaveTimer();
  static constexpr int kLeaveInterval = 125;

  // The button that holds a left press, told about popups and modal windows (cancel mode).
  void SetHeldButton(TToolbarButton97& button);
  void ForgetHeldButton(const TToolbarButton97& button);

  // Presses on `button` are dropped until the event loop has run once more.
  void DiscardPressesOn(TToolbarButton97& button);
  // The press that closed a drop-down menu, on its way to its target with its release.
  ClosingPressRelay& ClosingPresses() { return closingPresses_; }

  // --- Shared drawing resources ---------------------------------------------------------------
  // 8 x 8 checker of button highlight (where x + y is even) and button face; made again when
  // either system colour has changed since it was made.
  const QImage& DownPattern();
  // The same checker already tiled over at least `size` from the origin, so that a face copies
  // its part instead of tiling it pixel by pixel at every paint.
  const QImage& DownPatternTiled(QSize size);

  // The glyph lists shared by all renderers; the cache itself goes when it is empty.
  TGlyphCache* GlyphCache() const { return glyphCache_.get(); }
  TGlyphCache& EnsureGlyphCache();
  void ReleaseGlyphCacheIfEmpty();

  // Measured caption lines (lives in the platform layer, below the controls; see TextCache).
  TextCache& Texts();

  // --- Menus and hints ------------------------------------------------------------------------
  TDropdownList& DropdownList();
  TDropdownList* ExistingDropdownList() const { return dropdownList_.get(); }
  ApplicationHint& Hint();
  // The hint machinery, made on first need; ExistingHints() never makes it.
  HintMachinery& Hints();
  HintMachinery* ExistingHints() const { return hints_.get(); }

  // --- Timers ---------------------------------------------------------------------------------
  // A new timer for a control. Tests install a factory of hand-driven timers; the leave timer is
  // then made again from the new factory at its next use (a hot button stops being tracked).
  std::unique_ptr<ControlTimer> MakeTimer();
  void SetTimerFactory(ControlTimerFactory factory);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ControlsRuntime();
  void LeaveTimerTick();
  bool HandleWindowKey(QWidget& window, QKeyEvent& event);
  void CancelHeldPress();

  QPointer<TToolbarButton97> hot_;
  QPointer<TToolbarButton97> held_;
  QPointer<TToolbarButton97> discardTarget_;
  std::unique_ptr<ControlTimer> leaveTimer_;
  ControlTimerFactory timerFactory_;
  QImage downPattern_;
  QImage downPatternTiled_;
  Rgb patternFace_{}, patternHighlight_{};
  std::unique_ptr<TGlyphCache> glyphCache_;
  std::unique_ptr<ApplicationHint> hint_;
  std::unique_ptr<TDropdownList> dropdownList_;
  ClosingPressRelay closingPresses_;
  // Last, so that it goes first: its hint window is a widget and must go before the rest.
  std::unique_ptr<HintMachinery> hints_;
};

}  // namespace tilvaro
