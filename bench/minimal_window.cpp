// The peer of the start-up benchmark: the smallest Qt Widgets program that shows one empty window
// of the editor's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Minimal"));
  window.setFixedSize(504, 341);
  window.show();
  return application.exec();
}
