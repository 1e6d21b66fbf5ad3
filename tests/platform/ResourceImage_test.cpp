#include "platform/ResourceImage.h"

#include <gtest/gtest.h>

#include <QtEndian>

namespace tilvaro {
namespace {

using Strings = std::vector<QByteArray>;

// A 2 x 2 image with one colour: the header, one colour line and two rows.
const QByteArray kWhole = "/* XPM */\nstatic const char *const a_xpm[] = {\n\"2 2 1 1\",\n\". c #FF0000\",\n\"..\",\n\"..\"};\n";

// The literals outside comments, or nothing for a source that is not whole.
TEST(XpmStringsTest, TakesTheLiteralsOfWholeSourcesOnly) {
  const struct {
    QByteArray source;
    Strings strings;
  } cases[] = {
      {kWhole, {"2 2 1 1", ". c #FF0000", "..", ".."}},
      // Quotes inside comments are not literals; an escaped quote belongs to its literal.
      {"/* \"not\" */ {\"1 1 1 1\", // \"nor\"\n\"\\\" c #000000\", \"\\\"\"};", {"1 1 1 1", "\" c #000000", "\""}},
      {kWhole.left(kWhole.indexOf("\"..\"};") + 2), {}},               // a literal left open
      {kWhole + "/* left open", {}},                                   // a comment left open
      {QByteArray(kWhole).replace("\"2 2 1 1\"", "\"2 3 1 1\""), {}},  // a row fewer than the height
      {QByteArray(kWhole).replace("\"2 2 1 1\"", "\"2 2 2 1\""), {}},  // a colour fewer than the count
      {QByteArray(kWhole).replace("\"2 2 1 1\"", "\"2 x 1 1\""), {}},  // a header that is no header
      {QByteArray(), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source.toStdString());
    EXPECT_EQ(XpmStrings(c.source), c.strings);
  }
}

// Decoded pixels come back as they went in, opaque or not, pixel for pixel.
TEST(DecodedPixelsTest, RoundTripKeepsEveryPixelAndTheAlphaChannel) {
  QImage opaque(3, 2, QImage::Format_RGB32);
  QImage clear(2, 3, QImage::Format_ARGB32);
  for (int i = 0; i < 6; ++i) {
    opaque.setPixel(i % 3, i / 3, qRgb(40 * i, 255 - 40 * i, 7 * i));
    clear.setPixel(i % 2, i / 2, qRgba(30 * i, 1, 200, i == 0 ? 0 : 255 / i));
  }
  for (const QImage& image : {opaque, clear}) {
    const QImage back = DecodePixels(EncodePixels(image));
    EXPECT_EQ(back, image);
    EXPECT_EQ(back.format(), image.format());
  }
  EXPECT_TRUE(EncodePixels(QImage()).isEmpty());
}

// Anything but a whole, sound block of pixels is refused rather than read past its end.
TEST(DecodedPixelsTest, RefusesBytesThatDoNotFollowTheLayout) {
  QImage image(2, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  const QByteArray good = EncodePixels(image);
  ASSERT_FALSE(DecodePixels(good).isNull());
  const auto withNumber = [&good](int offset, quint32 value) {
    QByteArray bytes = good;
    qToLittleEndian<quint32>(value, bytes.data() + offset);
    return bytes;
  };
  const QByteArray broken[] = {
      QByteArray(),
      good.left(15),                                 // a header cut short
      good.left(good.size() - 1),                    // a pixel cut short
      good + '\0',                                   // a byte too many
      QByteArray(good).replace(0, 4, "TVPY"),        // another kind of file
      withNumber(4, 0),                              // no width
      withNumber(8, 4097),                           // a side beyond the limit
      withNumber(12, 2),                             // neither opaque nor with alpha
  };
  for (const QByteArray& bytes : broken) EXPECT_TRUE(DecodePixels(bytes).isNull()) << bytes.toHex().toStdString();
}

}  // namespace
}  // namespace tilvaro
