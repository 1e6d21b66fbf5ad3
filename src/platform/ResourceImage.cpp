#include "platform/ResourceImage.h"

#include <QFileInfo>
#include <QImageReader>

namespace tilvaro {

QImage LoadResourceImage(const QString& path) {
  QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace tilvaro
