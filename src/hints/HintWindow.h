#pragma once
// THintWindow: what the application's hint machinery asks of a hint window, and THintInfo, what
// it knows about a hint about to be shown.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "platform/raster/Geometry.h"

namespace tilvaro {

struct THintInfo {
  QPointer<QWidget> HintControl;  // the control whose hint it is
  Point HintPos;                  // where the machinery proposes the hint: the pointer's position
  int HintMaxWidth = 0;           // the widest the hint may be: the width of the pointer's screen
  Rect CursorRect;                // the control's area on the screen
};

// The application's show-hint event: the hint text, the can-show flag and the hint information,
// all in and out.
using TShowHintEvent = std::function<void(QString& hintText, bool& canShow, THintInfo& info)>;

// A top-level window that shows one hint at a time and never takes input or the focus.
class THintWindow : public QWidget {
 public:
  using QWidget::QWidget;
  // Shows `text`; `proposed` is where the machinery would put it (its top-left counts).
  virtual void PlaceAndShow(const Rect& proposed, const QString& text) = 0;
};

}  // namespace tilvaro
