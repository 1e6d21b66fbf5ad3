#include "widgets/Edit97.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionFrame>

#include "runtime/ControlsVersion.h"
#include "widgets/FlatEditClasses.h"
#include "platform/Canvas.h"
#include "platform/SysColors.h"

namespace tilvaro {

TEdit97::TEdit97(QWidget* parent) : QLineEdit(parent) {
  // The style's frame is replaced by the edit's own 3-pixel frame around the contents.
  setFrame(false);
  setContentsMargins(kFrameWidth, kFrameWidth, kFrameWidth, kFrameWidth);
  AdjustHeight();
  FlatEditClasses::Register(staticMetaObject);
}

TEdit97::~TEdit97() { FlatEditClasses::Unregister(staticMetaObject); }

QString TEdit97::Version() const { return QString::fromLatin1(kControlsVersion); }

bool TEdit97::IsFlatEdit(const QWidget* widget) { return FlatEditClasses::Counts(widget); }

bool TEdit97::IsSunken() const {
  if (hasFocus()) return true;
  return mouseInControl_ && !IsFlatEdit(QApplication::focusWidget());
}

int TEdit97::HeightForFont() const { return QFontMetrics(font()).height() + 2 * kFrameWidth; }

QSize TEdit97::sizeHint() const { return {QLineEdit::sizeHint().width(), HeightForFont()}; }

QSize TEdit97::minimumSizeHint() const { return {QLineEdit::minimumSizeHint().width(), HeightForFont()}; }

void TEdit97::AdjustHeight() { resize(width(), HeightForFont()); }

void TEdit97::initStyleOption(QStyleOptionFrame* option) const {
  QLineEdit::initStyleOption(option);
  // A disabled edit shows its client in the button-face colour instead of the window colour.
  if (!isEnabled()) {
    option->palette.setColor(QPalette::Disabled, QPalette::Base, ToQColor(SysColorValue(SysColor::BtnFace)));
  }
}

void TEdit97::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) AdjustHeight();
}

bool TEdit97::event(QEvent* event) {
  const bool handled = QLineEdit::event(event);
  // Polishing is the last step of setting the edit up, after its parent gave it its geometry.
  if (event->type() == QEvent::Polish) AdjustHeight();
  return handled;
}

void TEdit97::enterEvent(QEnterEvent* event) {
  QLineEdit::enterEvent(event);
  mouseInControl_ = true;
  update();
}

void TEdit97::leaveEvent(QEvent* event) {
  QLineEdit::leaveEvent(event);
  mouseInControl_ = false;
  update();
}

void TEdit97::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  update();
}

void TEdit97::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  update();
}

void TEdit97::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  PaintFrame(painter);
}

void TEdit97::PaintFrame(QPainter& painter) const {
  Canvas canvas(painter);
  const TColor face = SysColorValue(SysColor::BtnFace);
  const TColor window = SysColorValue(SysColor::Window);
  Rect r{0, 0, width(), height()};
  if (IsSunken()) {
    // Outer line sunken; the inner line is button face at the top and left and 3-D light at the
    // bottom and right; the innermost line is the window colour.
    canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    canvas.Brush.color = face;
    canvas.FillRect({r.left, r.top, r.left + 1, r.bottom - 1});
    canvas.FillRect({r.left, r.top, r.right - 1, r.top + 1});
    canvas.DrawEdge(r, BDR_SUNKENINNER, BF_BOTTOMRIGHT);
  } else {
    canvas.Brush.color = face;
    canvas.FrameRect(r);
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    canvas.FrameRect(r);
  }
  r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  canvas.Brush.color = window;
  canvas.FrameRect(r);
}

}  // namespace tilvaro
