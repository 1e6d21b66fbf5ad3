#include "platform/ResourceImage.h"

#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <mutex>

namespace tilvaro {

namespace {

std::mutex& PreloadedMutex() {
  static std::mutex mutex;
  return mutex;
}

// Decoded ahead and not yet taken.
QHash<QString, QImage>& Preloaded() {
  static QHash<QString, QImage> images;
  return images;
}

QImage Read(const QString& path) {
  QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace

QImage LoadResourceImage(const QString& path) {
  {
    const std::lock_guard lock(PreloadedMutex());
    // Taken out: each image is asked for once, so the copy need not stay.
    if (auto found = Preloaded().find(path); found != Preloaded().end()) {
      QImage image = std::move(found.value());
      Preloaded().erase(found);
      return image;
    }
  }
  return Read(path);
}

void PreloadResourceImages(const QStringList& paths) {
  for (const QString& path : paths) {
    QImage image = Read(path);
    if (image.isNull()) continue;
    const std::lock_guard lock(PreloadedMutex());
    Preloaded().insert(path, std::move(image));
  }
}

}  // namespace tilvaro
