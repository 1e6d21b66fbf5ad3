#pragma once
// THint95: the non-visual component that makes every hint of the program an office-style
// THintWindow95. Placed once on the main window (which owns it), it installs THintWindow95 as the
// application's hint window class, sets the application's hint timings, keeps the hint font that
// follows the platform's status-bar font, and records for each hint which control it belongs to
// and how wide it may be (LastHintControl, LastHintMaxWidth).
//
// HintFont is the platform theme's status-bar font, or the application font where the theme names
// none: face, pixel height, bold only above weight 500, italic, underline, strike-out and pitch; its
// colour is the tool-tip text colour. In the office look a status font "MS Sans Serif" is replaced
// by "Tahoma" when that is installed. The font is read again when the theme or the application font
// changes; whether Tahoma is installed is checked again when the installed fonts change.

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "hints/HintScheduler.h"
#include "hints/HintStyle.h"
#include "hints/HintWindow.h"
#include "platform/Canvas.h"

namespace tilvaro {

class THint95;

// What the hint components share across the process, a slot of the controls' runtime: the
// components that exist, in the order they were made, and the control whose hint is about to be
// shown with the widest that hint may be. The last two are written just before every hint shows
// and read by the hint window placing it.
struct THint95Shared {
  std::vector<THint95*> Components;
  QPointer<QWidget> LastHintControl;
  int LastHintMaxWidth = 0;

  // The shared state, made first if it does not exist.
  static THint95Shared& Get();
};

class THint95 : public QObject {
  Q_OBJECT

 public:
  // Where the component learns about the platform's fonts; tests put in their own.
  struct FontSource {
    std::function<QFont()> statusFont;                 // the status-bar font
    std::function<bool(const QString&)> isInstalled;   // a font family is installed
    std::function<qreal()> dotsPerInch;                // for a status font given in points
  };
  static FontSource SystemFonts();

  // The application's hint timings this component sets.
  static constexpr HintTimings kTimings{500, 25, 5000, 250};

  explicit THint95(QObject* owner, FontSource fonts = SystemFonts());
  ~THint95() override;
  THint95(const THint95&) = delete;
  THint95& operator=(const THint95&) = delete;

  // Whether Tahoma is installed. The font source is asked on first need after CheckTahoma, so a
  // start-up whose status font is not the classic one never asks.
  bool TahomaInstalled() const;
  const CanvasFont& HintFont() const { return hintFont_; }

  // The look of all hint windows; a change shows with the next hint. Choosing hsOffice97 reads
  // the hint font again (with the Tahoma rule).
  THintStyle HintStyle() const { return hintStyle_; }
  void SetHintStyle(THintStyle style);

  // Called before a hint is shown; may change the text, refuse the hint or change the hint
  // information (such as its maximum width).
  TShowHintEvent OnShowHint;

  void CheckTahoma();
  void ReadSystemHintFont();

  // The font a status-bar font makes: face, pixel height (from points at `dotsPerInch`), bold
  // above weight 500, italic, underline, strike-out and pitch.
  static QFont FontFromStatusFont(const QFont& status, qreal dotsPerInch);

  // The component the hint windows take their style and font from: the main window's, that is
  // the first one made that still exists.
  static THint95* FindHintComponent();

 private:
  class TNotifyWindow;
  void Install();
  void ShowHintHook(QString& hintText, bool& canShow, THintInfo& info);

  FontSource fonts_;
  mutable std::optional<bool> tahomaInstalled_;  // none: not asked since the last CheckTahoma
  CanvasFont hintFont_;
  THintStyle hintStyle_ = THintStyle::hsWindows95;
  std::unique_ptr<TNotifyWindow> NotifyWindow;
};

}  // namespace tilvaro
