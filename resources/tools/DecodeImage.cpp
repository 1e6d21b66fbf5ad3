// Build helper: decodes one of the program's images and writes its pixels in the layout that
// LoadResourceImage reads back (platform/ResourceImage.h), so that the program's start does not
// decode the images itself; or, when the output's name ends in ".png", as a PNG file, the format
// that desktop icon themes read. Usage: tilvaro_decode_image <input image> <output>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

#include "platform/ResourceImage.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <input image> <output>\n", argv[0]);
    return 2;
  }
  // Read as the program reads an image that has no decoded pixels, so both come out the same.
  const QImage image = tilvaro::LoadResourceImage(QFile::decodeName(argv[1]));
  if (image.isNull()) {
    std::fprintf(stderr, "cannot read image %s\n", argv[1]);
    return 1;
  }
  const QString output = QFile::decodeName(argv[2]);
  QSaveFile out(output);
  bool written = out.open(QIODevice::WriteOnly);
  if (output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
    // Saved as 32-bit ARGB: the icon is a true-colour image with a transparent background.
    written = written && image.convertToFormat(QImage::Format_ARGB32).save(&out, "PNG");
  } else {
    const QByteArray pixels = tilvaro::EncodePixels(image);
    written = written && out.write(pixels) == pixels.size();
  }
  if (!written || !out.commit()) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
