#include "controls/Edit97.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionFrame>

namespace tilvaro {

TEdit97::TEdit97(QWidget* parent) : QLineEdit(parent) {
  // The style's frame is replaced by the edit's own 3-pixel frame around the contents.
  setFrame(false);
  setContentsMargins(kFrameWidth, kFrameWidth, kFrameWidth, kFrameWidth);
  AdjustHeight();
}

bool TEdit97::IsFlatEdit(const QWidget* widget) {
  return widget != nullptr && qobject_cast<const TEdit97*>(widget) != nullptr;
}

bool TEdit97::IsSunken() const {
  if (hasFocus()) return true;
  return mouseInControl_ && !IsFlatEdit(QApplication::focusWidget());
}

int TEdit97::HeightForFont() const { return QFontMetrics(font()).height() + 2 * kFrameWidth; }

void TEdit97::AdjustHeight() { resize(width(), HeightForFont()); }

void TEdit97::initStyleOption(QStyleOptionFrame* option) const {
  QLineEdit::initStyleOption(option);
  // A disabled edit shows its client in the button-face colour instead of the window colour.
  if (!isEnabled()) {
    option->palette.setColor(QPalette::Disabled, QPalette::Base,
                             palette().color(QPalette::Active, QPalette::Button));
  }
}

void TEdit97::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) AdjustHeight();
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
  const QPalette& pal = palette();
  const QColor face = pal.color(QPalette::Active, QPalette::Button);
  const QColor window = pal.color(QPalette::Active, QPalette::Base);
  const int right = width() - 1, bottom = height() - 1;

  auto frame = [&](int inset, const QColor& colour) {
    painter.setPen(colour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inset, inset, right - 2 * inset, bottom - 2 * inset);
  };
  if (!IsSunken()) {
    frame(0, face);
    frame(1, face);
    frame(2, window);
    return;
  }
  // Outer line: shadow at the top and left, highlight at the bottom and right.
  painter.setPen(pal.color(QPalette::Active, QPalette::Dark));
  painter.drawLine(0, 0, right - 1, 0);
  painter.drawLine(0, 0, 0, bottom - 1);
  painter.setPen(pal.color(QPalette::Active, QPalette::Light));
  painter.drawLine(0, bottom, right, bottom);
  painter.drawLine(right, 0, right, bottom);
  // Second line: button face at the top and left, 3-D light at the bottom and right.
  painter.setPen(face);
  painter.drawLine(1, 1, right - 2, 1);
  painter.drawLine(1, 1, 1, bottom - 2);
  painter.setPen(pal.color(QPalette::Active, QPalette::Midlight));
  painter.drawLine(1, bottom - 1, right - 1, bottom - 1);
  painter.drawLine(right - 1, 1, right - 1, bottom - 1);
  frame(2, window);
}

}  // namespace tilvaro
