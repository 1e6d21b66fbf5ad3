// The peer of the start-up benchmark: the smallest Qt Widgets program that shows one empty window
// of the editor's size. With --text the window holds one label with a line of text, which makes
// the program pay what any Qt program pays for its first text (font configuration, font database,
// one font loaded and its glyphs drawn).
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Minimal"));
  window.setFixedSize(504, 341);
  if (withText) (new QLabel(QStringLiteral("Name: Autor Ebene"), &window))->move(8, 8);
  window.show();
  return application.exec();
}
