// The peer of the render benchmark: the least a thumbnailer linking QtGui can do, writing a blank
// (transparent) 128 x 128 PNG. Usage: blank_png OUT.png
#include <QImage>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  QImage image(128, 128, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image.save(QString::fromLocal8Bit(argv[1]), "png") ? 0 : 1;
}
