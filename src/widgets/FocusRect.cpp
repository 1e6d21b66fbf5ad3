#include "widgets/FocusRect.h"

#include <QColor>
#include <QPainter>
#include <QPolygon>
#include <QRect>

namespace tilvaro {

void DrawFocusRect(QPainter& painter, const QRect& rect, const QColor& colour) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  QPolygon dots;
  // The dots keep one checkerboard parity, so that the corners and opposite edges line up.
  const auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) dots << QPoint(x, y);
  };
  for (int x = rect.left(); x <= rect.right(); ++x) {
    dot(x, rect.top());
    if (rect.bottom() != rect.top()) dot(x, rect.bottom());
  }
  for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
    dot(rect.left(), y);
    if (rect.right() != rect.left()) dot(rect.right(), y);
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(colour, 0));
  painter.drawPoints(dots);
  painter.restore();
}

}  // namespace tilvaro
