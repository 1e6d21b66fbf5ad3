#pragma once
// The keyboard focus as the platform draws it on its own controls: a rectangle of dots, every other
// pixel along its edges.

class QColor;
class QPainter;
class QRect;

namespace tilvaro {

void DrawFocusRect(QPainter& painter, const QRect& rect, const QColor& colour);

}  // namespace tilvaro
