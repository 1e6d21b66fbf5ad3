#pragma once
// Mouse input for widget tests, delivered through the widget's window as the platform delivers
// it: Qt then routes it to the widget under the pointer, grabs the pointer on a press and sends
// enter and leave events.

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace tilvaro::test {

inline QPoint InWindow(QWidget* widget, QPoint pos) { return widget->mapTo(widget->window(), pos); }
inline void Move(QWidget* widget, QPoint pos) {
  QTest::mouseMove(widget->window()->windowHandle(), InWindow(widget, pos));
}
inline void Press(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(widget->window()->windowHandle(), button, {}, InWindow(widget, pos));
}
inline void Release(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseRelease(widget->window()->windowHandle(), button, {}, InWindow(widget, pos));
}
inline void Click(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(widget->window()->windowHandle(), button, {}, InWindow(widget, pos));
}
inline void DoubleClick(QWidget* widget, QPoint pos) {
  QTest::mouseDClick(widget->window()->windowHandle(), Qt::LeftButton, {}, InWindow(widget, pos));
}

}  // namespace tilvaro::test
