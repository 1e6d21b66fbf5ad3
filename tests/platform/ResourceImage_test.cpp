#include "platform/ResourceImage.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tilvaro
