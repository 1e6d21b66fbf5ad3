// The program's compiled-in images: present, of the sizes and colour counts the windows are laid
// out for, and usable as button glyphs whose bottom-left colour is transparent.
#include <gtest/gtest.h>

#include <QDir>
#include <QResource>
#include <QImage>
#include <QSet>
#include <QString>
#include <vector>

#include "platform/ResourceImage.h"

namespace tilvaro {
namespace {

int ColourCount(const QImage& image, bool withTransparent) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) == 0 && !withTransparent) continue;
      colours.insert(qAlpha(pixel) == 0 ? 0 : pixel);
    }
  return static_cast<int>(colours.size());
}

// Every pixel in the glyph's transparent colour must be reachable from the edge through pixels of
// that colour; otherwise a part of the drawing itself would turn into a hole.
bool BackgroundOnlyAroundTheDrawing(const QImage& image) {
  const QRgb background = image.pixel(0, image.height() - 1);
  const int w = image.width(), h = image.height();
  std::vector<bool> reached(static_cast<std::size_t>(w * h), false);
  std::vector<QPoint> todo;
  for (int x = 0; x < w; ++x) todo.insert(todo.end(), {QPoint(x, 0), QPoint(x, h - 1)});
  for (int y = 0; y < h; ++y) todo.insert(todo.end(), {QPoint(0, y), QPoint(w - 1, y)});
  while (!todo.empty()) {
    const QPoint p = todo.back();
    todo.pop_back();
    if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h) continue;
    const auto index = static_cast<std::size_t>(p.y() * w + p.x());
    if (reached[index] || image.pixel(p) != background) continue;
    reached[index] = true;
    todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (image.pixel(x, y) == background && !reached[static_cast<std::size_t>(y * w + x)])
        return false;
  return true;
}

TEST(Resources, ButtonGlyphsAreSixteenColourImagesWithAnOutsideBackground) {
  for (const char* name : {"new", "open", "save", "rename", "cancel"}) {
    SCOPED_TRACE(name);
    const QImage glyph(QString(":/images/%1.xpm").arg(name));
    ASSERT_FALSE(glyph.isNull());
    EXPECT_EQ(glyph.size(), QSize(16, 16));
    EXPECT_LE(ColourCount(glyph, true), 16);
    EXPECT_GE(ColourCount(glyph, true), 2) << "a drawing, not a blank square";
    EXPECT_TRUE(BackgroundOnlyAroundTheDrawing(glyph));
  }
}

TEST(Resources, OkStripHoldsTwoDifferentImagesOnOneBackground) {
  const QImage strip(":/images/ok.xpm");
  ASSERT_FALSE(strip.isNull());
  EXPECT_EQ(strip.size(), QSize(36, 18));
  EXPECT_EQ(strip.pixel(0, 17), strip.pixel(18, 17)) << "one transparent colour for both images";
  EXPECT_NE(strip.copy(0, 0, 18, 18), strip.copy(18, 0, 18, 18));
  EXPECT_TRUE(BackgroundOnlyAroundTheDrawing(strip.copy(0, 0, 18, 18)));
  EXPECT_TRUE(BackgroundOnlyAroundTheDrawing(strip.copy(18, 0, 18, 18)));
}

TEST(Resources, LogoCursorAndIconHaveTheirSizes) {
  const QImage logo(":/images/logo.xpm");
  ASSERT_FALSE(logo.isNull());
  EXPECT_EQ(logo.size(), QSize(99, 32));
  EXPECT_LE(ColourCount(logo, true), 256);

  const QImage cursor(":/images/www-cursor.xpm");
  ASSERT_FALSE(cursor.isNull());
  EXPECT_EQ(cursor.size(), QSize(32, 32));
  EXPECT_EQ(ColourCount(cursor, false), 2) << "black and white";
  EXPECT_TRUE(cursor.hasAlphaChannel());
  EXPECT_NE(qAlpha(cursor.pixel(0, 0)), 0) << "the arrow's tip is the hot spot (0, 0)";

  const QImage icon(":/images/icon.xpm");
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.size(), QSize(32, 32));
}

// The program reads its images from the pixels the build decoded; every one must be there and come
// out pixel for pixel as Qt's reader decodes the drawing, and a missing one as a null image.
TEST(Resources, ProgramReadsEveryImageAsQtsReaderDoes) {
  const QStringList names = QDir(QStringLiteral(":/images")).entryList(QDir::Files);
  ASSERT_GE(names.size(), 9);
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const QString path = QStringLiteral(":/images/") + name;
    EXPECT_TRUE(QResource(QStringLiteral(":/decoded/images/") + name).isValid()) << "decoded by the build";
    const QImage read = LoadResourceImage(path);
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32), QImage(path).convertToFormat(QImage::Format_ARGB32));
  }
  // What cannot be taken apart goes to Qt's reader, which refuses it safely.
  for (const char* missing : {":/no/such.xpm", "/nonexistent/file.png"})
    EXPECT_TRUE(LoadResourceImage(QString::fromLatin1(missing)).isNull()) << missing;
}

}  // namespace
}  // namespace tilvaro
