#include "platform/ResourceImage.h"

#include <gtest/gtest.h>

namespace tilvaro {
namespace {

// A 2 x 2 image with one colour: the header, one colour line and two rows.
constexpr char kWhole[] = "/* XPM */\nstatic const char *const a_xpm[] = {\n\"2 2 1 1\",\n\". c #FF0000\",\n\"..\",\n\"..\"};\n";

TEST(XpmStringsTest, TakesTheLiteralsOutsideComments) {
  const std::vector<QByteArray> strings = XpmStrings(kWhole);
  EXPECT_EQ(strings, (std::vector<QByteArray>{"2 2 1 1", ". c #FF0000", "..", ".."}));

  // Quotes inside comments are not literals; an escaped quote belongs to its literal.
  const QByteArray commented =
      "/* \"not\" */ {\"1 1 1 1\",                                      // \"nor\"\n\"\\\" c #000000\", \"\\\"\"};";
  EXPECT_EQ(XpmStrings(commented), (std::vector<QByteArray>{"1 1 1 1", "\" c #000000", "\""}));
}

TEST(XpmStringsTest, RefusesSourcesThatAreNotWhole) {
  const QByteArray whole(kWhole);
  for (const QByteArray& broken : {
           whole.left(whole.indexOf("\"..\"};") + 2),                   // a literal left open
           whole + "/* left open",                                      // a comment left open
           QByteArray(kWhole).replace("\"2 2 1 1\"", "\"2 3 1 1\""),    // a row fewer than the height
           QByteArray(kWhole).replace("\"2 2 1 1\"", "\"2 2 2 1\""),    // a colour fewer than the count
           QByteArray(kWhole).replace("\"2 2 1 1\"", "\"2 x 1 1\""),    // a header that is no header
           QByteArray(),
       }) {
    SCOPED_TRACE(broken.toStdString());
    EXPECT_TRUE(XpmStrings(broken).empty());
  }
}

// What cannot be taken apart is still read by Qt's reader, which refuses it safely.
TEST(LoadResourceImageTest, BrokenOrMissingFilesGiveNullImages) {
  EXPECT_TRUE(LoadResourceImage(QStringLiteral(":/no/such.xpm")).isNull());
  EXPECT_TRUE(LoadResourceImage(QStringLiteral("/nonexistent/file.png")).isNull());
}

}  // namespace
}  // namespace tilvaro
