#include "widgets/Bevel.h"

#include <QPainter>

namespace tilvaro {

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void TBevel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int right = width() - 1;
  const int bottom = height() - 1;
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, bottom, 0, 0);
  painter.drawLine(0, 0, right, 0);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(right, 0, right, bottom);
  painter.drawLine(right, bottom, 0, bottom);
}

}  // namespace tilvaro
