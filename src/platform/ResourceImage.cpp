#include "platform/ResourceImage.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QResource>
#include <QtEndian>
#include <cstring>

namespace tilvaro {

namespace {

constexpr char kPixelsMagic[4] = {'T', 'V', 'P', 'X'};
constexpr qsizetype kPixelsHeader = 16;
constexpr quint32 kMaxPixelsSide = 4096;

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

QByteArray EncodePixels(const QImage& image) {
  if (image.isNull()) return {};
  const bool alpha = image.hasAlphaChannel();
  const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  const int width = pixels.width(), height = pixels.height();
  QByteArray bytes(kPixelsHeader + qsizetype(width) * height * 4, Qt::Uninitialized);
  char* out = bytes.data();
  std::memcpy(out, kPixelsMagic, 4);
  qToLittleEndian<quint32>(static_cast<quint32>(width), out + 4);
  qToLittleEndian<quint32>(static_cast<quint32>(height), out + 8);
  qToLittleEndian<quint32>(alpha ? 1 : 0, out + 12);
  out += kPixelsHeader;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < width; ++x, out += 4) qToLittleEndian<quint32>(alpha ? row[x] : (row[x] | 0xFF000000u), out);
  }
  return bytes;
}

QImage DecodePixels(const QByteArray& bytes) {
  if (bytes.size() < kPixelsHeader || std::memcmp(bytes.constData(), kPixelsMagic, 4) != 0) return {};
  const char* in = bytes.constData();
  const quint32 width = qFromLittleEndian<quint32>(in + 4);
  const quint32 height = qFromLittleEndian<quint32>(in + 8);
  const quint32 alpha = qFromLittleEndian<quint32>(in + 12);
  if (width < 1 || width > kMaxPixelsSide || height < 1 || height > kMaxPixelsSide || alpha > 1) return {};
  if (bytes.size() != kPixelsHeader + qsizetype(width) * height * 4) return {};
  QImage image(static_cast<int>(width), static_cast<int>(height), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  in += kPixelsHeader;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x, in += 4) row[x] = qFromLittleEndian<quint32>(in);
  }
  return image;
}

QImage LoadResourceImage(const QString& path) {
  if (path.startsWith(QLatin1String(":/"))) {
    const QResource decoded(QStringLiteral(":/decoded") + path.mid(1));
    if (decoded.isValid()) {
      QImage image = DecodePixels(decoded.uncompressedData());
      if (!image.isNull()) return image;
    }
  }
  if (path.endsWith(QLatin1String(".xpm"), Qt::CaseInsensitive)) {
    QImage image = ReadXpm(path);
    if (!image.isNull()) return image;
  }
  return ReadBySuffix(path);
}

}  // namespace tilvaro
