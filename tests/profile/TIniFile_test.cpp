#include "profile/TIniFile.h"

#include <gtest/gtest.h>

#include <string>

#include "files/WriteError.h"
#include "support/TestFiles.h"

namespace tilvaro {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// Each stored text (nullptr: the key is missing) and the number read for it, 7 being the default.
TEST(ReadNumberTest, ParsesOrFallsBackToTheDefault) {
  const struct {
    const char* stored;
    std::int32_t expected;
  } cases[] = {{"12", 12}, {"-12", -12}, {"+12", 12}, {"0x1F", 31}, {"0X10", 16}, {"$ff", 255},
               {"$FFFFFFFF", -1}, {"$80000000", INT32_MIN}, {"$000000010", 16}, {"$100000000", 7},
               {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"2147483648", 7}, {"-2147483649", 7},
               {"99999999999999999999", 7}, {"0x", 7}, {"0x-5", 7}, {"-$5", 7}, {"$", 7}, {"-", 7}, {"+", 7},
               {"1.5", 7}, {"abc", 7}, {"12abc", 7}, {"", 7}, {"0012", 12}, {"'  42'", 42}, {"' 0x5'", 7},
               {"'\t5'", 7}, {"'5 '", 7}, {nullptr, 7}};
  const TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(missing)");
    std::string text = "[S]\r\nOTHER=1\r\n";
    if (c.stored) text += std::string("N=") + c.stored + "\r\n";
    WriteBytes(folder / "n.ini", text);
    EXPECT_EQ(TIniFile(folder / "n.ini").ReadNumber("S", "N", 7), c.expected);
  }
}

TEST(TIniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  const TempFolder folder;
  const TIniFile missing(folder / "none.ini");
  EXPECT_EQ(missing.ReadText("S", "K", "dflt"), "dflt");
  EXPECT_EQ(missing.ReadNumber("S", "K", 42), 42);
  EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));  // reading never creates the file

  WriteBytes(folder / "a.ini", "[S]\r\nK=v\r\n");
  const TIniFile file(folder / "a.ini");
  EXPECT_EQ(file.ReadText("T", "K", "d"), "d");
  EXPECT_EQ(file.ReadText("S", "L", "d"), "d");
  EXPECT_EQ(file.ReadText("s", "k", "d"), "v");
}

TEST(TIniFileTest, ReadFlag) {
  const TempFolder folder;
  WriteBytes(folder / "f.ini", "[S]\r\nZERO=0\r\nTWO=2\r\nMINUS=-1\r\nBAD=ja\r\n");
  const TIniFile file(folder / "f.ini");
  for (const bool fallback : {true, false}) {
    EXPECT_EQ(file.ReadFlag("S", "MISSING", fallback), fallback);
    EXPECT_EQ(file.ReadFlag("S", "BAD", fallback), fallback);
    EXPECT_FALSE(file.ReadFlag("S", "ZERO", fallback));
    EXPECT_TRUE(file.ReadFlag("S", "TWO", fallback));
    EXPECT_TRUE(file.ReadFlag("S", "MINUS", fallback));
  }
}

TEST(TIniFileTest, LongTextsComeBackCutTo1023Bytes) {
  const TempFolder folder;
  TIniFile file(folder / "long.ini");
  std::string value(2000, 'a');
  value[1022] = 'b';
  value[1023] = 'c';
  file.WriteText("S", "K", value);
  const std::string read = file.ReadText("S", "K", "");
  EXPECT_EQ(read.size(), 1023u);
  EXPECT_EQ(read.back(), 'b');
  EXPECT_EQ(file.ReadText("S", "MISSING", std::string(1500, 'd')).size(), 1023u);  // the default too
}

TEST(TIniFileTest, WritesNumbersAndFlagsAsTheirTexts) {
  const TempFolder folder;
  TIniFile file(folder / "w.ini");
  file.WriteNumber("S", "A", -2147483647 - 1);
  file.WriteNumber("S", "B", 40);
  file.WriteFlag("S", "C", true);
  file.WriteFlag("S", "D", false);
  file.WriteText("S", "A", "again");  // a key written twice keeps one line, with the second value
  EXPECT_EQ(ReadBytes(folder / "w.ini"), "[S]\r\nA=again\r\nB=40\r\nC=1\r\nD=0\r\n");
}

TEST(TIniFileTest, EveryCallSeesTheFileAsItIsNow) {
  const TempFolder folder;
  const auto path = folder / "live.ini";
  TIniFile file(path);
  file.WriteText("S", "K", "one");
  EXPECT_EQ(file.ReadText("S", "K", ""), "one");
  WriteBytes(path, "[S]\nK=changed behind its back\n");
  EXPECT_EQ(file.ReadText("S", "K", ""), "changed behind its back");
  file.WriteText("S", "L", "x");
  EXPECT_EQ(ReadBytes(path), "[S]\nK=changed behind its back\nL=x\r\n");
}

TEST(TIniFileTest, FailedWriteNamesTheFullFile) {
  const TempFolder folder;
  const auto path = folder / "no such folder" / "x.set";
  TIniFile file(path);  // constructing checks nothing
  try {
    file.WriteText("INFO", "LAYERS", "1");
    FAIL() << "no error raised";
  } catch (const WriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Kann nicht nach " + path.string() + " schreiben");
    EXPECT_EQ(error.FileName(), path);
  }
  EXPECT_FALSE(std::filesystem::exists(path.parent_path()));  // the folder is never created
  EXPECT_THROW(TIniFile(folder.Path()).WriteNumber("S", "K", 1), WriteError);  // a folder is no file
}

}  // namespace
}  // namespace tilvaro
