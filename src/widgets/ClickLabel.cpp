#include "widgets/ClickLabel.h"

#include <QMouseEvent>

#include "platform/RaiseEvent.h"

namespace tilvaro {

TClickLabel::TClickLabel(QWidget* parent) : QLabel(parent) {}

void TClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(event);
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = event->button() == Qt::LeftButton && pressed_ &&
                     rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) Click();
}

void TClickLabel::Click() { RaiseEvent(OnClick, this); }

}  // namespace tilvaro
