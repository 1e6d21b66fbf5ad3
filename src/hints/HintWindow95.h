#pragma once
// THintWindow95: the office-style hint window. It shows the text on the tool-tip background in a
// one-pixel frame of its style's two colours, with its top-left corner just below the pointer's
// image: its top edge on the row of the image's lowest visible pixel. Near the right edge of the
// pointer's screen it moves left to stay on it; near the bottom it goes above the pointer (office
// look, or a window's own hint) or on top of the control.
//
// It takes its style and font from the hint component (THint95::FindHintComponent) every time it
// is shown. It is a frameless tool-tip window on top of the others that never takes the focus, is
// never activated and lets the pointer through to what lies below it.

#include <QPointer>
#include <QRect>
#include <functional>
#include <optional>

#include "hints/HintStyle.h"
#include "hints/HintWindow.h"
#include "platform/Canvas.h"
#include "platform/CursorImage.h"

namespace tilvaro {

class THint95;

class THintWindow95 : public THintWindow {
  Q_OBJECT

 public:
  // What the window reads about the pointer and the screens; tests put in their own.
  struct Environment {
    std::function<QPoint()> pointer;                            // the pointer's hot spot
    std::function<std::optional<CursorImage>()> cursorImage;    // the pointer's current image
    std::function<QRect(QPoint)> screenAt;                      // the screen holding a point
  };
  static Environment SystemEnvironment();

  explicit THintWindow95(Environment environment = SystemEnvironment());

  // The window flags of a hint window: `params` without a border, as a tool tip on top of the
  // others that takes neither the focus nor input.
  static Qt::WindowFlags AdjustWindowStyle(Qt::WindowFlags params);

  void PlaceAndShow(const Rect& proposed, const QString& text) override;
  // Paints the whole window onto the canvas, which covers its client area.
  void PaintHint(Canvas& canvas);

  QPointer<THint95> HintComponent;  // the component found at the last show
  int HintTextHeight = 0;           // the text measured at the last show
  int HintTextWidth = 0;

  QString Text() const { return text_; }
  THintStyle Style() const { return style_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Environment environment_;
  QString text_;
  CanvasFont font_;  // the component's hint font as it was at the last show
  THintStyle style_ = THintStyle::hsWindows95;
};

}  // namespace tilvaro
