// Build helper: decodes one of the program's images and writes its pixels in the layout that
// LoadResourceImage reads back (platform/ResourceImage.h), so that the program's start does not
// decode the images itself. Usage: tilvaro_decode_image <input image> <output>
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
  const QByteArray pixels = tilvaro::EncodePixels(tilvaro::LoadResourceImage(QFile::decodeName(argv[1])));
  if (pixels.isEmpty()) {
    std::fprintf(stderr, "cannot read image %s\n", argv[1]);
    return 1;
  }
  QSaveFile out(QFile::decodeName(argv[2]));
  if (!out.open(QIODevice::WriteOnly) || out.write(pixels) != pixels.size() || !out.commit()) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
