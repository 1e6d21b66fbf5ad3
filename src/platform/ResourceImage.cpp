#include "platform/ResourceImage.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tilvaro {

namespace {

// Whether `strings` hold the header's colour lines and pixel rows: "width height colours
// characters-per-pixel" first.
bool HoldsWholeImage(const std::vector<QByteArray>& strings) {
  if (strings.empty()) return false;
  const QList<QByteArray> header = strings.front().simplified().split(' ');
  if (header.size() < 4) return false;
  bool heightOk = false, coloursOk = false;
  const long long height = header[1].toLongLong(&heightOk);
  const long long colours = header[2].toLongLong(&coloursOk);
  return heightOk && coloursOk && height >= 0 && colours >= 0 &&
         static_cast<long long>(strings.size()) >= 1 + colours + height;
}

QImage ReadXpm(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const std::vector<QByteArray> strings = XpmStrings(file.readAll());
  if (strings.empty()) return {};
  std::vector<const char*> lines;
  lines.reserve(strings.size() + 1);
  for (const QByteArray& string : strings) lines.push_back(string.constData());
  lines.push_back(nullptr);
  return QImage(lines.data());
}

QImage ReadBySuffix(const QString& path) {
  QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace

std::vector<QByteArray> XpmStrings(const QByteArray& source) {
  std::vector<QByteArray> strings;
  const qsizetype size = source.size();
  qsizetype i = 0;
  while (i < size) {
    const char c = source[i];
    if (c == '/' && i + 1 < size && source[i + 1] == '*') {
      const qsizetype end = source.indexOf("*/", i + 2);
      if (end < 0) return {};
      i = end + 2;
    } else if (c == '/' && i + 1 < size && source[i + 1] == '/') {
      const qsizetype end = source.indexOf('\n', i + 2);
      i = end < 0 ? size : end + 1;
    } else if (c == '"') {
      QByteArray string;
      for (++i; i < size && source[i] != '"'; ++i) {
        if (source[i] == '\\' && i + 1 < size) ++i;  // an escaped quote or backslash stands for itself
        string.append(source[i]);
      }
      if (i >= size) return {};
      ++i;
      strings.push_back(std::move(string));
    } else {
      ++i;
    }
  }
  if (!HoldsWholeImage(strings)) return {};
  return strings;
}

QImage LoadResourceImage(const QString& path) {
  if (path.endsWith(QLatin1String(".xpm"), Qt::CaseInsensitive)) {
    QImage image = ReadXpm(path);
    if (!image.isNull()) return image;
  }
  return ReadBySuffix(path);
}

}  // namespace tilvaro
