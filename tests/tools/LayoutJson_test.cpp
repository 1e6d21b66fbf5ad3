#include "tools/LayoutJson.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "tools/ToolRun.h"
#include "tools/JsonWriter.h"

namespace tilvaro {
namespace {

using test::Fixture;
using test::ReadBytes;

TEST(LayoutJsonTest, StringsAreEscapedAndValidUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"Köln €", "\"Köln €\""},
      {"a\"b\\c/", "\"a\\\"b\\\\c/\""},
      {std::string("\0\x01\t\n\x1b\x1f", 6), "\"\\u0000\\u0001\\u0009\\u000a\\u001b\\u001f\""},
      {"\x7f\xc2\x85\xc2\x9f\xc2\xa0", "\"\\u007f\\u0085\\u009f\xc2\xa0\""},  // DEL and C1 controls; NBSP stays
      {"\xf0\x9f\x99\x82", "\"\xf0\x9f\x99\x82\""},                        // four-byte character stays
      {"a\xff" "b", "\"a\xef\xbf\xbd" "b\""},                                // not UTF-8
      {"\xc0\xaf", "\"\xef\xbf\xbd\xef\xbf\xbd\""},                          // overlong '/'
      {"\xed\xa0\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},          // surrogate
      {"x\xe2\x82", "\"x\xef\xbf\xbd\xef\xbf\xbd\""},                        // cut short
  };
  for (const auto& [text, quoted] : cases) EXPECT_EQ(JsonQuoted(text), quoted) << text;
}

TEST(LayoutJsonTest, WriterSeparatesValuesInNestedContainers) {
  JsonWriter json;
  json.BeginObject().Key("a").BeginArray().Number(-1).Bool(true).String("x").BeginArray().EndArray().EndArray();
  json.Key("b").BeginObject().EndObject().Key("c").Bool(false).EndObject();
  EXPECT_EQ(json.Text(), R"({"a":[-1,true,"x",[]],"b":{},"c":false})");
}

std::string ToolOutput(const std::vector<std::string>& arguments, int expectedStatus) {
  const test::ToolRun run = test::Tool(arguments);
  EXPECT_EQ(run.status, expectedStatus) << run.err;
  return run.out;
}

TEST(LayoutJsonTest, ShowJsonPrintsTheLayoutAsTheEditorOpensIt) {
  // texts.set holds umlauts, the euro sign, quotes, a backslash and control characters in
  // Windows-1252; quirks.set a byte-order mark, repeated sections and an empty tile-set entry.
  for (const char* name : {"texts", "quirks", "hand_edited"}) {
    EXPECT_EQ(ToolOutput({"show", "--json", Fixture(std::string(name) + ".set").string()}, 0),
              ReadBytes(Fixture(std::string(name) + ".json")))
        << name;
  }
}

TEST(LayoutJsonTest, CheckJsonWritesOneObjectPerFile) {
  const std::string ok = Fixture("texts.set").string(), odd = Fixture("quirks.set").string();
  const std::string missing = Fixture("none.set").string();
  EXPECT_EQ(ToolOutput({"check", ok, "--json", odd, missing}, 1),
            R"({"file":")" + ok + R"(","status":"ok","tiles":4,"message":"OK, 4 Steine","warnings":[]})" "\n"
            R"({"file":")" + odd + R"j(","status":"odd","tiles":1,"message":"ungerade Anzahl an Steinen (1); )j"
            R"j(WARNUNG: Abschnitt entfällt beim Speichern: [INFO]; WARNUNG: Schlüssel entfällt beim Speichern: )j"
            R"j(INFO/TILESET","warnings":["Abschnitt entfällt beim Speichern: [INFO]",)j"
            R"j("Schlüssel entfällt beim Speichern: INFO/TILESET"]})j" "\n"
            R"({"file":")" + missing + R"(","status":"error","message":"Layout nicht gefunden","warnings":[]})" "\n");
}

}  // namespace
}  // namespace tilvaro
