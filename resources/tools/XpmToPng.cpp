// Build helper: converts one image (here the program icon, kept as XPM text) into a PNG file, the
// format that desktop icon themes read. Usage: tilvaro_xpm_to_png <input> <output.png>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <input image> <output.png>\n", argv[0]);
    return 2;
  }
  // Saved as 32-bit ARGB: the icon is a true-colour image with a transparent background.
  const QImage image = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) {
    std::fprintf(stderr, "cannot read image %s\n", argv[1]);
    return 1;
  }
  if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
