#include "picture/LayoutImageFile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>

#include "picture/LayoutPicture.h"

namespace tilvaro::picture {

namespace {

// Formats whose files keep an alpha channel; any other would show the transparent background black.
bool KeepsTransparency(std::string_view format) {
  constexpr std::string_view kWithAlpha[] = {"png", "webp", "tif", "tiff", "ico", "cur", "xpm"};
  return std::find(std::begin(kWithAlpha), std::end(kWithAlpha), format) != std::end(kWithAlpha);
}

}  // namespace

std::vector<std::string> PictureFormats() {
  std::vector<std::string> formats;
  for (const QByteArray& format : QImageWriter::supportedImageFormats()) formats.push_back(format.toLower().toStdString());
  std::sort(formats.begin(), formats.end());
  formats.erase(std::unique(formats.begin(), formats.end()), formats.end());
  return formats;
}

std::string LayoutImageFile(const Layout& layout, std::optional<int> size, std::string_view format) {
  QImage picture =
      size ? DrawLayoutPictureFitting(layout, *size) : DrawLayoutPicture(layout, PictureGeometry::Natural());
  if (!KeepsTransparency(format)) {
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, picture);
    picture = opaque;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, QByteArray(format.data(), static_cast<qsizetype>(format.size())));
  if (!writer.write(picture)) return {};
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace tilvaro::picture
