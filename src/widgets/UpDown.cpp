#include "widgets/UpDown.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "widgets/FocusRect.h"
#include "platform/RaiseEvent.h"
#include "widgets/UpDownAccessible.h"

namespace tilvaro {

namespace {

// The platform's auto-repeat rhythm for spinner arrows.
constexpr int kFirstRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 100;

}  // namespace

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::TabFocus);
  resize(13, 19);
  repeatTimer_.setSingleShot(false);
  connect(&repeatTimer_, &QTimer::timeout, this, [this] { RepeatStep(); });
}

void TUpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  SetPosition(position_);
}

void TUpDown::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  position_ = position;
  update();
  UpDownAccessible::ValueChanged(*this);
}

bool TUpDown::Step(TUDBtnType button) {
  int next = position_ + (button == TUDBtnType::btNext ? 1 : -1);
  if (next > max_ || next < min_) {
    if (!wrap_) return false;
    next = next > max_ ? min_ : max_;
  }
  if (next == position_) return false;
  position_ = next;
  update();
  UpDownAccessible::ValueChanged(*this);
  RaiseEvent(OnClick, this, button);
  return true;
}

TUpDown::TUDBtnType TUpDown::ButtonAt(const QPoint& position) const {
  return position.y() < height() / 2 ? TUDBtnType::btNext : TUDBtnType::btPrev;
}

QRect TUpDown::ButtonRect(TUDBtnType button) const {
  const int half = height() / 2;
  return button == TUDBtnType::btNext ? QRect(0, 0, width(), half)
                                      : QRect(0, half, width(), height() - half);
}

void TUpDown::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  for (const TUDBtnType button : {TUDBtnType::btNext, TUDBtnType::btPrev}) {
    const QRect face = ButtonRect(button);
    const bool sunken = pressed_ && pointerOnPressedButton_ && pressedButton_ == button;
    painter.fillRect(face, colours.color(QPalette::Button));
    // A raised face has light top and left edges and dark bottom and right ones; a sunken face
    // only a shadow frame.
    const QColor topLeft = sunken ? colours.color(QPalette::Dark) : colours.color(QPalette::Light);
    const QColor bottomRight = sunken ? colours.color(QPalette::Dark) : colours.color(QPalette::Shadow);
    painter.setPen(topLeft);
    painter.drawLine(face.left(), face.top(), face.right(), face.top());
    painter.drawLine(face.left(), face.top(), face.left(), face.bottom());
    painter.setPen(bottomRight);
    painter.drawLine(face.left(), face.bottom(), face.right(), face.bottom());
    painter.drawLine(face.right(), face.top(), face.right(), face.bottom());

    // A small solid triangle in the middle of the face, one pixel lower right while pressed.
    const int shift = sunken ? 1 : 0;
    const int cx = face.left() + (face.width() - 1) / 2 + shift;
    const int cy = face.top() + (face.height() - 1) / 2 + shift;
    QPolygon arrow;
    if (button == TUDBtnType::btNext) {
      arrow << QPoint(cx - 2, cy + 1) << QPoint(cx + 2, cy + 1) << QPoint(cx, cy - 1);
    } else {
      arrow << QPoint(cx - 2, cy - 1) << QPoint(cx + 2, cy - 1) << QPoint(cx, cy + 1);
    }
    painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(arrow);
    // The keyboard focus: a dotted frame inside each face, around its arrow.
    if (hasFocus()) DrawFocusRect(painter, face.adjusted(2, 2, -2, -2), colours.color(QPalette::ButtonText));
  }
}

void TUpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  pressedButton_ = ButtonAt(event->position().toPoint());
  pointerOnPressedButton_ = true;
  update();
  Step(pressedButton_);
  repeatTimer_.start(kFirstRepeatDelayMs);
}

void TUpDown::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double-click is a press like any other: it steps again.
  mousePressEvent(event);
}

void TUpDown::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_) return;
  const bool onButton = ButtonRect(pressedButton_).contains(event->position().toPoint());
  if (onButton != pointerOnPressedButton_) {
    pointerOnPressedButton_ = onButton;
    update();
  }
}

void TUpDown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  repeatTimer_.stop();
  update();
}

void TUpDown::RepeatStep() {
  if (!pressed_) {
    repeatTimer_.stop();
    return;
  }
  repeatTimer_.setInterval(kRepeatIntervalMs);
  if (pointerOnPressedButton_) Step(pressedButton_);
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up: Step(TUDBtnType::btNext); break;
    case Qt::Key_Down: Step(TUDBtnType::btPrev); break;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
}

}  // namespace tilvaro
