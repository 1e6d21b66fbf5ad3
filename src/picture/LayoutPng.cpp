#include "picture/LayoutPng.h"

#include <QBuffer>
#include <QImageWriter>

#include "picture/LayoutPicture.h"

namespace tilvaro::picture {

std::string LayoutPng(const Layout& layout, std::optional<int> size) {
  const QImage picture =
      size ? DrawLayoutPictureFitting(layout, *size) : DrawLayoutPicture(layout, PictureGeometry::Natural());
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(picture)) return {};
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace tilvaro::picture
