#pragma once
// Mouse input for widget tests, delivered through the widget's window as the platform delivers
// it: Qt then routes it to the widget under the pointer, grabs the pointer on a press and sends
// enter and leave events.

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace tilvaro::test {

inline QPoint InWindow(QWidget* widget, QPoint pos) { return widget->mapTo(widget->window(), pos); }
inline QWindow* WindowOf(QWidget* widget) { return widget->window()->windowHandle(); }
inline void Move(QWidget* w, QPoint pos) { QTest::mouseMove(WindowOf(w), InWindow(w, pos)); }
inline void Press(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(WindowOf(w), button, {}, InWindow(w, pos));
}
inline void Release(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseRelease(WindowOf(w), button, {}, InWindow(w, pos));
}
inline void Click(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(WindowOf(w), button, {}, InWindow(w, pos));
}
inline void DoubleClick(QWidget* w, QPoint pos) { QTest::mouseDClick(WindowOf(w), Qt::LeftButton, {}, InWindow(w, pos)); }

}  // namespace tilvaro::test
